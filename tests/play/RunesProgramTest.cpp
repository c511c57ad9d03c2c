// The runes teaser in each real program, through the X server: the first level entered from
// the gallery; the symbols read from the screen while the runes show them, then given back
// with the symbol buttons and checked: a green mark. The next stage answered with a symbol no
// rune showed: a red mark beside it. Then Escape, and Alt+Return in the middle of the fade
// back: the fade goes on in full screen at the screen's size and ends on the gallery, where
// Alt+Return brings the 854 x 480 window back with the carousel where it stood.
// Screenshots: build/screenshots/runes-<program>-*.png.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "play/CarouselSteering.h"
#include "play/ExitPicture.h"
#include "play/OverlayPicture.h"
#include "play/PerspectiveView.h"
#include "play/ProgramChecks.h"
#include "play/TeaserScreens.h"
#include "support/ProgramPlay.h"

namespace {

// The first level: four runes of half-size 0.45 in the plane z = -4.
constexpr int RUNES = 4;
constexpr double RUNE_X[RUNES] = {-1.8, 1.8, -1.8, 1.8};
constexpr double RUNE_Y[RUNES] = {0.7, 0.7, -0.7, -0.7};
constexpr double RUNE_Z = -4, RUNE_HALF = 0.45;
// The bar of buttons, once up: four symbol buttons and the check button.
constexpr double BUTTON_X[5] = {-1, -0.33, 0.33, 1, 1.66};
constexpr double BAR_Y = -1.2, BAR_Z = -3.5;
constexpr int CHECK = 4;
// The marks: one column per stage from x -1.05, 0.3 apart, at y 1.3.
constexpr double MARK_X0 = -1.05, MARK_DX = 0.3, MARK_Y = 1.3, MARK_Z = -3.5;

// A symbol's shape: the opacity of its mask picture, which the rune draws over its tile.
struct Shape {
    int width = 0, height = 0;
    std::vector<uint8_t> alpha;
    double at(double u, double v) const {
        int x = std::clamp(static_cast<int>(u * width), 0, width - 1);
        int y = std::clamp(static_cast<int>(v * height), 0, height - 1);
        return alpha[static_cast<size_t>(y) * width + x];
    }
};

const Shape& symbolShape(int type) {
    static Shape shapes[4];
    Shape& shape = shapes[type];
    if (shape.alpha.empty()) {
        const std::string path =
            std::string(QUANDRELS_BINARY_DIR) + "/data/rune" + std::to_string(type + 1) + "mask.png";
        if (SDL_Surface* surface = IMG_Load(path.c_str())) {
            shape.width = surface->w;
            shape.height = surface->h;
            const int bytes = surface->format->BytesPerPixel;
            for (int y = 0; y < surface->h; y++) {
                const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
                for (int x = 0; x < surface->w; x++) {
                    Uint32 value = 0;
                    std::memcpy(&value, row + x * bytes, static_cast<size_t>(bytes));
                    Uint8 r, g, b, a;
                    SDL_GetRGBA(value, surface->format, &r, &g, &b, &a);
                    shape.alpha.push_back(a);
                }
            }
            SDL_FreeSurface(surface);
        }
    }
    return shape;
}

// How well a rune's tile on the screen follows a symbol's shape: the correlation of its
// yellow (the symbols glow yellow) with the symbol's opacity, pixel by pixel.
double likeness(const Screenshot& shot, int rune, int type) {
    const Shape& shape = symbolShape(type);
    if (shape.alpha.empty()) return 0;
    std::array<double, 2> from =
        perspectivePoint(RUNE_X[rune] - RUNE_HALF, RUNE_Y[rune] + RUNE_HALF, RUNE_Z, shot.width, shot.height);
    std::array<double, 2> to =
        perspectivePoint(RUNE_X[rune] + RUNE_HALF, RUNE_Y[rune] - RUNE_HALF, RUNE_Z, shot.width, shot.height);
    std::vector<double> a, y;
    const int x0 = static_cast<int>(from[0] * shot.width), x1 = static_cast<int>(to[0] * shot.width);
    const int y0 = static_cast<int>(from[1] * shot.height), y1 = static_cast<int>(to[1] * shot.height);
    for (int py = y0; py < y1; py++) {
        for (int px = x0; px < x1; px++) {
            a.push_back(shape.at((px + 0.5 - x0) / (x1 - x0), (py + 0.5 - y0) / (y1 - y0)));
            Rgb c = shot.pixel((px + 0.5) / shot.width, (py + 0.5) / shot.height);
            y.push_back((c.r + c.g) / 2 - c.b);
        }
    }
    const double n = static_cast<double>(a.size());
    const double meanA = std::accumulate(a.begin(), a.end(), 0.0) / n;
    const double meanY = std::accumulate(y.begin(), y.end(), 0.0) / n;
    double both = 0, aa = 0, yy = 0;
    for (size_t i = 0; i < a.size(); i++) {
        both += (a[i] - meanA) * (y[i] - meanY);
        aa += (a[i] - meanA) * (a[i] - meanA);
        yy += (y[i] - meanY) * (y[i] - meanY);
    }
    return aa > 0 && yy > 0 ? both / std::sqrt(aa * yy) : 0;
}

// The symbol a rune shows: the type it is clearly most like; -1 while it shows none clearly.
int shownType(const Screenshot& shot, int rune, double* match) {
    double best = -1, next = -1;
    int type = -1;
    for (int t = 0; t < 4; t++) {
        double l = likeness(shot, rune, t);
        if (l > best) {
            next = best;
            best = l;
            type = t;
        } else if (l > next) {
            next = l;
        }
    }
    *match = best;
    return best > 0.8 && best - next > 0.2 ? type : -1;
}

void clickAt(ProgramPlay& game, double x, double y, double z) {
    std::array<double, 2> at = perspectivePoint(x, y, z);
    game.click(at[0], at[1]);
}

// The check button is green where the bar has come up.
bool barIsUp(const Screenshot& shot) {
    std::array<double, 2> at = perspectivePoint(BUTTON_X[CHECK], BAR_Y, BAR_Z, shot.width, shot.height);
    Rgb c = shot.mean(at[0] - 0.01, at[1] - 0.015, at[0] + 0.01, at[1] + 0.015);
    return c.g > 120 && c.g - c.r > 60;
}

// The mark of a stage's first answer: 'g' green, 'r' red, '-' none.
char markOf(const Screenshot& shot, int stage) {
    std::array<double, 2> at =
        perspectivePoint(MARK_X0 + MARK_DX * stage, MARK_Y, MARK_Z, shot.width, shot.height);
    Rgb c = shot.mean(at[0] - 0.008, at[1] - 0.012, at[0] + 0.008, at[1] + 0.012);
    if (c.g > 110 && c.g - c.r > 60) return 'g';
    if (c.r > 110 && c.r - c.g > 60) return 'r';
    return '-';
}

class RunesProgramTest : public testing::TestWithParam<const char*> {};

TEST_P(RunesProgramTest, AStageAnsweredRightOneWrongThenAltReturnDuringTheFadeAndInTheGallery) {
    const std::string program = GetParam();
    const std::string shot = "runes-" + program + "-";
    ProgramPlay game(program);
    ASSERT_TRUE(opened(game));
    carousel::Steering steering(game);
    const TeaserScreen& level1 = teaserOfIcon(5);
    ASSERT_TRUE(steering.bringToFront(level1.icon)) << steering.trouble << "\n" << game.log();
    ASSERT_TRUE(galleryShows(game));
    Screenshot gallery = game.screenshot(shot + "gallery");
    steering.clickFront();
    ASSERT_TRUE(teaserShows(game, level1, "")) << steering.trace;

    // The runes show their symbols: two of one, two of another at the first stage.
    int types[RUNES];
    double matches[RUNES];
    Screenshot showing;
    ASSERT_TRUE(game.waitFor(
        [&] {
            showing = game.screenshot("");
            for (int r = 0; r < RUNES; r++) {
                if ((types[r] = shownType(showing, r, &matches[r])) < 0) return false;
            }
            return true;
        },
        10))
        << "unreadable runes: " << matches[0] << " " << matches[1] << " " << matches[2] << " " << matches[3]
        << "; see " << showing.save(shot + "showing");
    showing.save(shot + "showing");

    // Answered from memory once the bar is up: the cursor starts at the first rune and moves
    // on with every symbol given.
    Screenshot seen;
    ASSERT_TRUE(game.waitFor([&] { return barIsUp(seen = game.screenshot("")); }, 15))
        << seen.save(shot + "nobar");
    for (int r = 0; r < RUNES; r++) clickAt(game, BUTTON_X[types[r]], BAR_Y, BAR_Z);
    clickAt(game, BUTTON_X[CHECK], BAR_Y, BAR_Z);
    EXPECT_TRUE(game.waitFor([&] { return markOf(seen = game.screenshot(""), 0) == 'g'; }, 5))
        << "no green mark; see " << seen.save(shot + "right");
    seen.save(shot + "right");

    // The next stage answered with a symbol no rune shows at this level's first stages.
    ASSERT_TRUE(game.waitFor([&] { return !barIsUp(game.screenshot("")); }, 5));
    ASSERT_TRUE(game.waitFor([&] { return barIsUp(seen = game.screenshot("")); }, 15))
        << seen.save(shot + "nobar");
    for (int r = 0; r < RUNES; r++) clickAt(game, BUTTON_X[3], BAR_Y, BAR_Z);
    clickAt(game, BUTTON_X[CHECK], BAR_Y, BAR_Z);
    EXPECT_TRUE(game.waitFor([&] { return markOf(seen = game.screenshot(""), 1) == 'r'; }, 5))
        << "no red mark; see " << seen.save(shot + "wrong");
    EXPECT_EQ(markOf(seen, 0), 'g');
    seen.save(shot + "wrong");

    // Escape fades back to the gallery; Alt+Return while the screen darkens.
    const double lit = seen.mean(0, 0, 1, 1).brightness();
    game.key("Escape");
    ASSERT_TRUE(
        game.waitFor([&] { return game.screenshot("").mean(0, 0, 1, 1).brightness() < lit * 0.7; }, 5));
    game.key("alt+Return");
    ASSERT_TRUE(game.waitFor([&] { return game.fullScreen(); }, 30)) << game.log();
    EXPECT_TRUE(galleryShows(game, shot + "gallery-fullscreen"));
    EXPECT_EQ(game.screenshot("").width, PrivateScreen::WIDTH);

    game.key("alt+Return");
    ASSERT_TRUE(game.waitForSize(854, 480, 30)) << game.log();
    EXPECT_TRUE(galleryShows(game, shot + "gallery-windowed"));
    // The carousel stands where it stood. (Its dots are not read: where the steering left
    // the carousel, the icon in front can cover them.)
    Screenshot back = game.screenshot("");
    EXPECT_LT(differenceBetweenShots(back, gallery, 8, 8, 903, 430), 3) << back.save(shot + "gallery-back");

    game.key("Escape");
    EXPECT_TRUE(game.waitFor([&] { return differenceFromExitPicture(game.screenshot("")) < 12.0; }, 10));
    game.click(0.5, 0.5);
    EXPECT_TRUE(endedCleanly(game));
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, RunesProgramTest, testing::Values("quandrels", "quandrels-fixed"),
                         programTestName);

}  // namespace
