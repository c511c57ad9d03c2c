#include "play/CarouselSteering.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "game/gallery/CarouselPath.h"
#include "play/GalleryBackdrop.h"
#include "play/OverlayPicture.h"
#include "play/PerspectiveView.h"

namespace carousel {
namespace {

using Clock = std::chrono::steady_clock;

// The game's icons by child index 1 to 8 (index 0 unused).
constexpr int DIFFICULTIES[ICONS + 1] = {0, 0, 0, 1, 2, 0, 1, 2, CLEAR};

// The dots' centres in the overlay space, left to right, and their row.
constexpr double DOT_X[3] = {386, 456, 526};
constexpr double DOT_Y = 420;

// Where the button goes down to spin, in window pixels: left of and above the middle, so
// that the stop's diagonal of half the window stays inside it.
constexpr int HOLD_X = 170;
constexpr int HOLD_Y = 120;
// The stop's diagonal: half the width and half the height of the 854 x 480 window, whose
// drag sample 0.7071 * 0.5 - 0.7071 * 0.5 is exactly 0.
constexpr int STOP_DX = 427;
constexpr int STOP_DY = 240;
// The spin of one pixel per sample: 0.7071 / 854 of a turn per second divided by 100.
constexpr double TURNS_PER_SECOND_PER_PIXEL = 100 * 0.7071 / 854;
// Motions of a spin's drag: the last five set the spin.
constexpr int SPIN_STEPS = 10;
// At one pixel per sample an icon passes the front in 1.5 s.
constexpr double STEP_SECONDS = 5;
// Steering that lost the carousel starts over from the empty icon this often.
constexpr int ATTEMPTS = 3;
// An icon comes in front at half its spacing before the middle of the path and leaves at half
// its spacing after it.
constexpr double FRONT_HALF_WIDTH = 0.5 / ICONS;

int wrap(int icon) { return (icon - 1 + ICONS) % ICONS + 1; }

// How much a dot adds to the backdrop there, per channel.
Rgb dotLight(const Screenshot& shot, int dot) {
    static const Screenshot backdrop =
        readPicture(std::string(QUANDRELS_BINARY_DIR) + "/data/galleryBackground.png");
    const double x = DOT_X[dot], r = 5;
    Rgb shown = shot.overlayMean(x - r, DOT_Y - r, x + r, DOT_Y + r);
    Rgb bare = backdrop.mean((x - r + 56) / 1024, (DOT_Y - r) / 512, (x + r + 56) / 1024, (DOT_Y + r) / 512);
    return Rgb{shown.r - bare.r, shown.g - bare.g, shown.b - bare.b};
}

bool green(const Rgb& c) { return c.g > 60 && c.g - c.r > 50 && c.g - c.b > 50; }
bool yellow(const Rgb& c) { return c.r > 60 && c.g > 60 && c.r - c.b > 50 && c.g - c.b > 50; }
bool red(const Rgb& c) { return c.r > 60 && c.r - c.g > 50 && c.r - c.b > 50; }
bool dark(const Rgb& c) { return std::fabs(c.r) < 20 && std::fabs(c.g) < 20 && std::fabs(c.b) < 20; }

}  // namespace

int difficultyOf(int icon) { return DIFFICULTIES[wrap(icon)]; }

int dotsIn(const Screenshot& shot) {
    if (shot.empty()) return UNREAD;
    Rgb d[3] = {dotLight(shot, 0), dotLight(shot, 1), dotLight(shot, 2)};
    if (red(d[0]) && red(d[1]) && red(d[2])) return 2;
    if (yellow(d[0]) && yellow(d[1]) && !yellow(d[2])) return 1;
    if (green(d[0]) && !green(d[1]) && !green(d[2])) return 0;
    if (dark(d[0]) && dark(d[1]) && dark(d[2])) return CLEAR;
    return UNREAD;
}

void Steering::spin(int pixels) {
    note("spin" + std::to_string(pixels));
    direction = pixels > 0 ? 1 : -1;
    turnsPerSecond = TURNS_PER_SECOND_PER_PIXEL * std::abs(pixels);
    // Ten steps, in one run with the press: should a motion be measured from somewhere else,
    // the last five samples are still the steps', before the carousel turns far on another.
    std::vector<std::array<int, 2>> drag{{HOLD_X, HOLD_Y}};
    for (int i = 1; i <= SPIN_STEPS; i++) drag.push_back({HOLD_X + i * pixels, HOLD_Y});
    game.moveThrough(drag, ProgramPlay::Button::DOWN_AT_FIRST);
    holdX = HOLD_X + SPIN_STEPS * pixels;
}

void Steering::stop() {
    note("stop");
    // Seven motions, the last five of them the diagonal there and back.
    std::vector<std::array<int, 2>> brake;
    for (int i = 0; i < 7; i++)
        brake.push_back({holdX + (i % 2 == 0 ? STOP_DX : 0), HOLD_Y + (i % 2 == 0 ? STOP_DY : 0)});
    game.moveThrough(brake, ProgramPlay::Button::UP_AT_LAST);
    stopped = Clock::now();
}

bool Steering::standsStill() {
    Screenshot first = game.screenshot("");
    // The interval over which motion is looked for, not a wait for a state.
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    const bool still = differenceBetweenShots(first, game.screenshot(""), 8, 8, 903, 400) < 0.5;
    if (!still) note("moving");
    return still;
}

int Steering::nextDots(int from, double seconds) {
    int seen = UNREAD, last = from;
    game.waitFor(
        [&] {
            seen = dotsIn(game.screenshot(""));
            if (seen != last) note(std::to_string(seen));
            last = seen;
            return seen != UNREAD && seen != from;
        },
        seconds);
    return seen != from ? seen : UNREAD;
}

void Steering::note(const std::string& what) {
    const double at = std::chrono::duration<double>(Clock::now() - started).count();
    char stamp[16];
    snprintf(stamp, sizeof stamp, "%.2f:", at);
    trace += std::string(" ") + stamp + what;
}

bool Steering::findEmptyIcon() {
    // The carousel may still turn fast from the start, and the empty icon may already stand
    // in front somewhere within its place: it counts only when the dots show it coming in
    // after the icon before it (icon 1, forwards) showed for a while at the slow spin.
    front = 0;
    const auto settled = std::chrono::milliseconds(250);
    for (int attempt = 0; attempt < ATTEMPTS && front == 0; attempt++) {
        spin(2);
        int previous = UNREAD, shown = UNREAD;
        auto since = Clock::now();
        for (int changes = 0; changes < 4 * ICONS; changes++) {
            shown = nextDots(previous, STEP_SECONDS);
            if (shown == UNREAD) break;
            if (shown == CLEAR && previous == difficultyOf(1) && Clock::now() - since > settled) break;
            previous = shown;
            since = Clock::now();
        }
        const auto entered = Clock::now();
        stop();
        if (shown == CLEAR && standsStill()) {
            front = EMPTY_ICON;
            enteredPhase = 0.5 - FRONT_HALF_WIDTH;
            secondsSinceEntry = std::chrono::duration<double>(stopped - entered).count();
        }
    }
    if (front == 0) trouble = "the dots never showed the empty icon coming in; seen:" + trace;
    return front != 0;
}

bool Steering::bringToFront(int icon) {
    for (int attempt = 0; attempt < ATTEMPTS; attempt++) {
        if (front == 0 && !findEmptyIcon()) return false;
        // An icon whose coming in the dots show only from behind is reached sooner, when it
        // lies a short way ahead, by going one past it and back.
        const int forwards = (front - icon + ICONS) % ICONS;
        const bool overshoot =
            difficultyOf(icon + 1) == difficultyOf(icon) && forwards > 0 && forwards < ICONS / 2;
        if ((!overshoot || approach(wrap(icon - 1))) && approach(icon) && standsStill()) return true;
        // Lost: find the empty icon again and start over from there.
        front = 0;
    }
    trouble = "icon " + std::to_string(icon) + " never came in front as the dots showed; seen:" + trace;
    return false;
}

bool Steering::approach(int icon) {
    if (front == icon) return true;
    // Forwards icon k follows k + 1; the dots show the step only where the two differ.
    const int forwards = (front - icon + ICONS) % ICONS, backwards = ICONS - forwards;
    const bool forwardShown = difficultyOf(icon + 1) != difficultyOf(icon);
    const bool backwardShown = difficultyOf(icon - 1) != difficultyOf(icon);
    const int way = forwardShown && (!backwardShown || forwards <= backwards) ? 1 : -1;
    // Fast over the icons on the way, a pixel per sample for the last step.
    auto pace = [&](int remaining) { return (remaining > 1 ? 2 : 1) * way; };
    int remaining = way > 0 ? forwards : backwards;
    spin(pace(remaining));
    auto entered = Clock::now();
    while (front != icon) {
        const int next = wrap(front - way);
        if (difficultyOf(next) != difficultyOf(front)) {
            int shown = nextDots(difficultyOf(front), STEP_SECONDS);
            entered = Clock::now();
            if (shown != difficultyOf(next)) {
                stop();
                note("not icon " + std::to_string(next));
                return false;
            }
        }
        front = next;
        remaining--;
        if (remaining == 1 && front != icon) {
            stop();
            spin(pace(remaining));
        }
    }
    stop();
    enteredPhase = 0.5 - way * FRONT_HALF_WIDTH;
    secondsSinceEntry = std::chrono::duration<double>(stopped - entered).count();
    return true;
}

void Steering::clickFront() {
    // The icon came in at the edge of the front and moved on until the carousel stopped:
    // for as long as the watch saw, and for as long again as the program took to see the
    // screen change and the stop arrive, which is not known. The icon covers about a
    // twentieth of a turn each side of its middle, half a second of the slow spin, so the
    // click aims a quarter of a second on.
    double moved = turnsPerSecond * (secondsSinceEntry + 0.25);
    double phase = enteredPhase + direction * std::min(moved, 2 * FRONT_HALF_WIDTH * 0.8);
    note("click at phase " + std::to_string(phase));
    CarouselPath path;
    Vector3 at, travel;
    path.place(static_cast<float>(phase), &at, &travel);
    std::array<double, 2> point = perspectivePoint(at.x, at.y, at.z - 7);
    game.click(point[0], point[1]);
}

}  // namespace carousel
