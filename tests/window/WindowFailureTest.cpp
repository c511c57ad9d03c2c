// Shader build: a window whose GL context cannot be made throws after freeing the window it
// opened. Mesa is told to offer only OpenGL 1.4, so the 2.0 context request fails.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/LogCapture.h"
#include "window/Window.h"

namespace {

TEST(WindowFailureTest, ContextFailureThrowsAndLeavesNoWindow) {
    setenv("MESA_GL_VERSION_OVERRIDE", "1.4", 1);
    const char* thrown = nullptr;
    Window* window = nullptr;
    std::string log = captureLog([&] {
        try {
            window = new Window("Quandrels", false, 854, 480);
        } catch (const char* message) {
            thrown = message;
        }
    });
    unsetenv("MESA_GL_VERSION_OVERRIDE");
    if (window) {
        delete window;
        SDL_Quit();
        GTEST_SKIP() << "Mesa read its version override before this test (run it on its own, as ctest does)";
    }
    ASSERT_NE(thrown, nullptr);
    EXPECT_STREQ(thrown, "OpenGL fail");
    EXPECT_NE(log.find("OpenGL context could not be created. SDL Error: "), std::string::npos) << log;
    for (Uint32 id = 1; id < 16; id++) {
        EXPECT_EQ(SDL_GetWindowFromID(id), nullptr) << "window " << id << " is still open";
    }
    SDL_Quit();
}

}  // namespace
