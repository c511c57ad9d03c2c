// The exit screen: its picture fills the letter box upright in both builds, and a click or
// Escape ends the program without a fade, while a release without a press does not.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/SharedLayer.h"
#include "game/ExitDisplay.h"
#include "scene/MeshRenderer.h"
#include "support/GameFolder.h"
#include "support/LogCapture.h"
#include "support/PlatformEvents.h"
#include "support/Png.h"
#include "window/Window.h"

namespace {

// 64 x 32, four quadrants: red, green on top; blue, white below.
std::string quadrants() {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 64; x++) {
            bool right = x >= 32, bottom = y >= 16;
            uint8_t r = (!right && !bottom) || (right && bottom) ? 255 : 0;
            uint8_t g = (right && !bottom) || (right && bottom) ? 255 : 0;
            uint8_t b = bottom ? 255 : 0;
            pixels.insert(pixels.end(), {r, g, b});
        }
    }
    return png::encode(64, 32, png::RGB, pixels);
}

struct ExitScreen : GameFolder {
    ExitDisplay* exit;

    ExitScreen()
        : GameFolder({{"pixel.png", png::encode(1, 1, png::RGBA, {255, 255, 255, 255})},
                      {"exit.png", quadrants()}}) {
        exit = new ExitDisplay(&app);
        app.displays.add(exit);
        app.exitDisplay = exit;
        app.window->setDisplay(exit);
        platform_events::drain();
    }
};

TEST(ExitDisplayTest, ThePictureFillsTheLetterBoxUpright) {
    ExitScreen s;
    // The first frame draws with the viewport of the previous update, which is still empty.
    s.frame(0.02f);
    s.frame(0.02f);
    EXPECT_EQ(s.exit->viewport.width, 854);
    EXPECT_EQ(s.exit->viewport.height, 479);
    struct Probe {
        int x, y;
        int r, g, b;
    };
    // The picture is 1024 units wide around the middle of the 911-unit space, so the left
    // and right edges of the window show u = 0.055 and 0.945 of it. (Probes keep a few texels
    // from the picture's top and bottom, where the repeating texture blends in the other edge.)
    const Probe probes[] = {
        {200, 120, 255, 0, 0},     {650, 120, 0, 255, 0}, {200, 360, 0, 0, 255},
        {650, 360, 255, 255, 255}, {3, 40, 255, 0, 0},    {850, 440, 255, 255, 255},
    };
    for (const Probe& p : probes) {
        unsigned int c = s.pixel(p.x, p.y);
        EXPECT_NEAR(red(c), p.r, 8) << p.x << "," << p.y;
        EXPECT_NEAR(green(c), p.g, 8) << p.x << "," << p.y;
        EXPECT_NEAR(blue(c), p.b, 8) << p.x << "," << p.y;
    }
}

TEST(ExitDisplayTest, EscapeEndsTheProgramWithoutAFade) {
    ExitScreen s;
    KeyRecord escape;
    escape.sym = 27;
    s.app.window->onKeyDown(escape, false);
    EXPECT_TRUE(platform_events::quitPending());
    EXPECT_FALSE(s.app.sharedLayer->plane->visible);
}

TEST(ExitDisplayTest, AClickEndsTheProgramButAReleaseWithoutPressDoesNot) {
    ExitScreen s;
    s.app.window->onPointerUp(Vector2(0.5f, 0.5f), 1);
    EXPECT_FALSE(platform_events::quitPending()) << "\"_mouseUp\" alone";
    s.app.window->onPointerDown(Vector2(0.5f, 0.5f), 1);
    EXPECT_FALSE(platform_events::quitPending());
    s.app.window->onPointerUp(Vector2(0.5f, 0.5f), 1);
    EXPECT_TRUE(platform_events::quitPending());
}

}  // namespace
