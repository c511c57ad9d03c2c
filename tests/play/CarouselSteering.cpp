#include "play/CarouselSteering.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <vector>

#include "game/gallery/CarouselPath.h"
#include "play/GalleryBackdrop.h"
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
    direction = pixels > 0 ? 1 : -1;
    turnsPerSecond = TURNS_PER_SECOND_PER_PIXEL * std::abs(pixels);
    game.moveThrough({{HOLD_X, HOLD_Y}});
    game.buttonDown();
    std::vector<std::array<int, 2>> drag;
    for (int i = 1; i <= 5; i++) drag.push_back({HOLD_X + i * pixels, HOLD_Y});
    game.moveThrough(drag);
}

void Steering::stop() {
    const int x =
        HOLD_X + 5 * direction * static_cast<int>(std::lround(turnsPerSecond / TURNS_PER_SECOND_PER_PIXEL));
    game.moveThrough({{x + STOP_DX, HOLD_Y + STOP_DY},
                      {x, HOLD_Y},
                      {x + STOP_DX, HOLD_Y + STOP_DY},
                      {x, HOLD_Y},
                      {x + STOP_DX, HOLD_Y + STOP_DY}});
    game.buttonUp();
}

int Steering::nextDots(int from, double seconds) {
    int seen = UNREAD;
    game.waitFor(
        [&] {
            seen = dotsIn(game.screenshot(""));
            return seen != UNREAD && seen != from;
        },
        seconds);
    return seen != from ? seen : UNREAD;
}

bool Steering::findEmptyIcon() {
    // The carousel may still turn fast from the start, and the empty icon may already stand
    // in front somewhere within its place: it counts only when the dots show it coming in
    // after the icon before it (icon 1, forwards) showed for a while at the slow spin.
    spin(2);
    const auto settled = std::chrono::milliseconds(250);
    int previous = UNREAD, shown = UNREAD;
    auto since = Clock::now();
    for (int changes = 0; changes < 4 * ICONS; changes++) {
        shown = nextDots(previous, 15);
        if (shown == UNREAD) break;
        if (shown == CLEAR && previous == difficultyOf(1) && Clock::now() - since > settled) break;
        previous = shown;
        since = Clock::now();
    }
    const auto entered = Clock::now();
    stop();
    if (shown != CLEAR) {
        trouble = "the dots never went clear for the empty icon";
        return false;
    }
    front = EMPTY_ICON;
    enteredPhase = 0.5 - FRONT_HALF_WIDTH;
    secondsSinceEntry = std::chrono::duration<double>(Clock::now() - entered).count();
    return true;
}

bool Steering::bringToFront(int icon) {
    if (front == 0 && !findEmptyIcon()) return false;
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
            int shown = nextDots(difficultyOf(front), 15);
            entered = Clock::now();
            if (shown != difficultyOf(next)) {
                stop();
                trouble = "after icon " + std::to_string(front) + " the dots showed " +
                          std::to_string(shown) + " for icon " + std::to_string(next);
                front = 0;
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
    secondsSinceEntry = std::chrono::duration<double>(Clock::now() - entered).count();
    return true;
}

void Steering::clickFront() {
    // The icon came in at the edge of the front and moved on until the carousel stopped; a
    // frame's lag more than the watch saw.
    double moved = turnsPerSecond * (secondsSinceEntry + 0.03);
    double phase = enteredPhase + direction * std::min(moved, FRONT_HALF_WIDTH);
    CarouselPath path;
    Vector3 at, travel;
    path.place(static_cast<float>(phase), &at, &travel);
    std::array<double, 2> point = perspectivePoint(at.x, at.y, at.z - 7);
    game.click(point[0], point[1]);
}

}  // namespace carousel
