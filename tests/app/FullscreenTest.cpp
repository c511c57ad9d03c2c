// Fullscreen toggles on real windows: the display and the game state survive, GPU objects are
// released and rebuilt, and a window that cannot be re-created is not deleted twice.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/SharedLayer.h"
#include "game/Quandrels.h"
#include "support/LogCapture.h"
#include "support/PlatformEvents.h"
#include "support/RecordingComponent.h"
#include "support/RecordingDisplay.h"
#include "support/XScreen.h"
#include "window/Window.h"

namespace {

using Strings = std::vector<std::string>;
namespace pe = platform_events;

// Pointer motion depends on where the X pointer happens to be when a window maps.
Strings withoutMotion(Strings names) {
    names.erase(std::remove(names.begin(), names.end(), "mouseMove"), names.end());
    return names;
}

struct App {
    Quandrels app;
    EventLog log;
    RecordingDisplay* shown = new RecordingDisplay(&app);
    RecordingDisplay* hidden = new RecordingDisplay(&app);

    App() {
        app.displays.add(shown);
        app.displays.add(hidden);
        captureLog([&] { app.createWindow(); });
        // The real fade layer (it needs the window's GL context); an observer records what
        // reaches it.
        app.sharedLayer = new SharedLayer(&app);
        app.sharedLayer->add(new RecordingObserver(&log, "layer"));
        app.window->setDisplay(shown);
        pe::drain();
        shown->names.clear();
        hidden->names.clear();
        log.clear();
    }
    ~App() {
        captureLog([&] { app.shutdown(); });
    }
};

TEST(FullscreenTest, ToggleAndBackKeepsTheDisplayAttached) {
    App a;
    Quandrels& app = a.app;
    Window* windowed = app.window;
    EXPECT_EQ(windowed->viewport.width, 854);
    EXPECT_EQ(windowed->viewport.height, 480);

    captureLog([&] { app.toggleFullscreen(); });
    EXPECT_TRUE(app.fullscreen);
    ASSERT_NE(app.window, nullptr);
    // The screen's size, known at once, even though a smaller mode was set before.
    std::array<int, 2> screen = screenSize();
    EXPECT_EQ(app.window->viewport.width, screen[0]);
    EXPECT_EQ(app.window->viewport.height, screen[1]);
    EXPECT_EQ(app.window->display, a.shown);
    EXPECT_EQ(a.shown->parent, app.window);
    EXPECT_EQ(app.window->children.size(), 1);

    captureLog([&] { app.toggleFullscreen(); });
    EXPECT_FALSE(app.fullscreen);
    EXPECT_EQ(app.window->viewport.width, 854);
    EXPECT_EQ(app.window->viewport.height, 480);
    EXPECT_EQ(app.window->display, a.shown);
    EXPECT_EQ(a.shown->parent, app.window);

    // No "leave" or "show"; every display rebuilds its GPU objects, shown or not.
    const Strings rebuilt = {"releaseResources", "createResources", "releaseResources", "createResources"};
    EXPECT_EQ(a.shown->names, rebuilt);
    EXPECT_EQ(a.hidden->names, rebuilt);
    // The layer first on its own, then through each display's forwarding.
    EXPECT_EQ(a.log.trace(),
              (Strings{"layer:releaseResources", "layer:releaseResources", "layer:releaseResources",
                       "layer:createResources", "layer:createResources", "layer:createResources",
                       "layer:releaseResources", "layer:releaseResources", "layer:releaseResources",
                       "layer:createResources", "layer:createResources", "layer:createResources"}));
}

TEST(FullscreenTest, AltReturnTogglesBetweenTwoRunsOfTheLoop) {
    App a;
    Quandrels& app = a.app;
    int updates = 0;
    a.shown->onUpdate = [&] {
        // The first frame in the new window ends the test.
        if (app.fullscreen && ++updates == 1) app.window->quit();
    };
    pe::pushKey(13, 0x100);
    captureLog([&] { app.runLoop(); });

    EXPECT_TRUE(app.fullscreen);
    EXPECT_FALSE(app.fullscreenRequested);
    EXPECT_EQ(app.window->display, a.shown);
    // The quit that the request pushes may be read in the same frame or the next, and the new
    // window may report its size: only the order of the rest is fixed.
    Strings names = withoutMotion(a.shown->names);
    names.erase(std::remove(names.begin(), names.end(), "resize"), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    EXPECT_EQ(names, (Strings{"keydown", "update", "releaseResources", "createResources", "update"}));
    // The display's viewport follows the new window on its first update there.
    EXPECT_EQ(a.shown->viewport.width, std::min(app.window->viewport.width,
                                                static_cast<int>(app.window->viewport.height * 1.7791667)));
}

class SecondWindowFails : public Quandrels {
public:
    int made = 0;
    void createWindow() override {
        if (made++ == 1) throw "SDL window fail";
        Quandrels::createWindow();
    }
};

TEST(FullscreenTest, WindowThatCannotBeRecreatedIsNotDeletedTwice) {
    SecondWindowFails app;
    EventLog log;
    auto* display = new RecordingDisplay(&app);
    app.displays.add(display);
    captureLog([&] { app.createWindow(); });
    app.window->setDisplay(display);
    pe::drain();
    pe::pushKey(13, 0x200);

    const char* thrown = nullptr;
    captureLog([&] {
        try {
            app.runLoop();
        } catch (const char* message) {
            thrown = message;
        }
    });
    ASSERT_NE(thrown, nullptr);
    EXPECT_STREQ(thrown, "SDL window fail");
    EXPECT_EQ(app.window, nullptr) << "the deleted window must not stay behind for shutdown";
    EXPECT_EQ(display->parent, nullptr);
    captureLog([&] { app.shutdown(); });
    EXPECT_EQ(app.displays.size(), 0);
}

}  // namespace
