// The window's icon as a window manager reads it: the _NET_WM_ICON property of the program's
// top-level X window holds the picture's width, height and pixels (ARGB). The game's window
// carries the icon picture of its data; without one it still opens.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/WindowIconProperty.h"
#include "core/Buffer.h"
#include "resources/Resources.h"
#include "support/Bytes.h"
#include "support/LogCapture.h"
#include "support/Png.h"
#include "support/TempDir.h"
#include "support/WorkingDirectory.h"
#include "window/Window.h"

namespace {

std::unique_ptr<Buffer> bufferOf(const std::string& bytes) {
    auto buffer = std::make_unique<Buffer>();
    fill(*buffer, bytes);
    return buffer;
}

uint32_t argb(int r, int g, int b, int a) {
    return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b);
}

struct Pixel {
    int r, g, b, a;
};

class WindowIconTest : public testing::Test {
protected:
    void TearDown() override {
        delete window;
        SDL_Quit();
    }
    Window* window = nullptr;
};

TEST_F(WindowIconTest, TheWindowCarriesThePicturePixelForPixel) {
    // Colours that tell the channels and the rows apart, one of them half transparent.
    const std::vector<Pixel> pixels = {
        {255, 0, 0, 255},    {0, 255, 0, 255}, {0, 0, 255, 255},     {12, 34, 56, 255},
        {200, 100, 50, 255}, {1, 2, 3, 255},   {255, 255, 255, 255}, {90, 0, 180, 128},
    };
    std::vector<uint8_t> samples;
    for (const Pixel& p : pixels)
        samples.insert(samples.end(), {uint8_t(p.r), uint8_t(p.g), uint8_t(p.b), uint8_t(p.a)});
    auto picture = bufferOf(png::encode(4, 2, png::RGBA, samples));

    captureLog([&] { window = new Window("icon", false, 64, 64, picture.get()); });

    const std::vector<uint32_t> icon = windowIconProperty(window->platformWindow);
    ASSERT_GE(icon.size(), 2u + pixels.size());
    EXPECT_EQ(icon[0], 4u);
    EXPECT_EQ(icon[1], 2u);
    for (size_t i = 0; i < pixels.size(); i++) {
        const Pixel& p = pixels[i];
        EXPECT_EQ(icon[2 + i], argb(p.r, p.g, p.b, p.a)) << "pixel " << i;
    }
}

TEST_F(WindowIconTest, BytesThatAreNoPictureLeaveTheWindowWithoutIconAndSaySo) {
    auto notPng = bufferOf("this is not a PNG file");
    const std::string said = captureLog([&] { window = new Window("icon", false, 64, 64, notPng.get()); });
    EXPECT_NE(said.find("The window icon does not decode"), std::string::npos) << said;
    EXPECT_TRUE(windowIconProperty(window->platformWindow).empty());
}

// The application's window takes its icon from the game's data: the pack in the build folder.
TEST(ApplicationWindowIcon, TheGameWindowShowsTheIconOfItsData) {
    WorkingDirectoryGuard cwd;
    ASSERT_EQ(chdir(QUANDRELS_BINARY_DIR), 0);
    Resources::archive = "Quandrels.dat";
    Application app;
    const std::string said = captureLog([&] { app.createWindow(); });
    EXPECT_EQ(said.find("No window icon"), std::string::npos) << said;
    const std::vector<uint32_t> icon = windowIconProperty(app.window->platformWindow);

    std::unique_ptr<Buffer> png(Resources::load(Application::WINDOW_ICON));
    SDL_Surface* picture = IMG_LoadPNG_RW(SDL_RWFromMem(png->data, png->size));
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->format->BytesPerPixel, 4);
    ASSERT_EQ(icon.size(), 2u + static_cast<size_t>(picture->w * picture->h));
    EXPECT_EQ(icon[0], 64u);
    EXPECT_EQ(icon[1], 64u);
    int differing = 0;
    for (int y = 0; y < picture->h; y++) {
        const uint8_t* row = static_cast<const uint8_t*>(picture->pixels) + y * picture->pitch;
        for (int x = 0; x < picture->w; x++) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(*reinterpret_cast<const Uint32*>(row + 4 * x), picture->format, &r, &g, &b, &a);
            // Where the picture is transparent only its alpha counts.
            const uint32_t shown = icon[2 + y * picture->w + x];
            const uint32_t expected = argb(r, g, b, a);
            if (a == 0 ? (shown >> 24) != 0 : shown != expected) differing++;
        }
    }
    EXPECT_EQ(differing, 0);
    SDL_FreeSurface(picture);
    captureLog([&] { app.shutdown(); });
    Resources::archive = "data.dat";
}

TEST(ApplicationWindowIcon, DataWithoutTheIconStillOpensTheWindow) {
    WorkingDirectoryGuard cwd;
    TempDir empty;
    ASSERT_EQ(chdir(empty.path().c_str()), 0);
    Resources::archive = "Quandrels.dat";
    Application app;
    const std::string said = captureLog([&] { app.createWindow(); });
    ASSERT_NE(app.window, nullptr);
    EXPECT_NE(said.find("No window icon: Can't load data/windowIcon.png"), std::string::npos) << said;
    EXPECT_TRUE(windowIconProperty(app.window->platformWindow).empty());
    captureLog([&] { app.shutdown(); });
    Resources::archive = "data.dat";
}

}  // namespace
