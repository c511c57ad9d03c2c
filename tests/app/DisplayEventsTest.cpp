// The display base class with a real shared layer: the viewport follows the window, every
// event reaches the layer as the window's own record, Alt+Return asks for the toggle once,
// and Escape fades back to the gallery.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Display.h"
#include "app/SharedLayer.h"
#include "game/Quandrels.h"
#include "scene/MeshRenderer.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"
#include "support/PlatformEvents.h"
#include "support/RecordingComponent.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

static std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

namespace {

using Strings = std::vector<std::string>;

// The layer draws into the test window's GL context; the application's window is a
// detached one whose size the tests set. An observer on the layer records what reaches it.
struct Fixture {
    GLWindow gl;
    Quandrels app;
    Window window{Window::Detached{}, 1000, 500};
    EventLog log;
    Display* display = new Display(&app);
    Display* gallery = new Display(&app);

    Fixture() {
        app.window = &window;
        app.sharedLayer = new SharedLayer(&app);
        app.sharedLayer->add(new RecordingObserver(&log, "layer"));
        window.setDisplay(display);
        platform_events::drain();
        log.clear();
    }
    ~Fixture() {
        display->unlink();
        delete display;
        delete gallery;
        delete app.sharedLayer;
        app.sharedLayer = nullptr;
        app.window = nullptr;
    }
};

TEST(DisplayEventsTest, UpdateAndResizeRecomputeTheViewport) {
    Fixture f;
    EXPECT_EQ(f.display->viewport, (Rect{0, 0, 0, 0})) << "zero until the first update";
    f.window.sendBroadcast(Events::UPDATE);
    EXPECT_EQ(f.display->viewport, (Rect{55, 0, 889, 500}));
    // The layer draws over exactly the shown display's area.
    EXPECT_EQ(f.app.sharedLayer->getViewport(), &f.display->viewport);

    f.window.viewport.width = 854;
    f.window.viewport.height = 600;
    f.window.sendBroadcast(Events::RESIZE);
    EXPECT_EQ(f.display->viewport, (Rect{0, 60, 854, 479}));

    // Other events leave it alone.
    f.window.viewport.width = 1920;
    f.window.viewport.height = 1080;
    f.window.sendBroadcast(Events::MOUSE_MOVE);
    EXPECT_EQ(f.display->viewport, (Rect{0, 60, 854, 479}));
}

TEST(DisplayEventsTest, EveryEventReachesTheSharedLayerAsTheSameRecord) {
    Fixture f;
    for (const char* name : {"update", "resize", "keydown", "escape", "mouseUp", "anything"}) {
        f.log.clear();
        Event e{name, &f.window, nullptr, true};
        Event* back = f.display->onEvent(&e);
        EXPECT_EQ(back, &e);
        // The layer draws itself on "update", which sends "prepareLights" and "render" through
        // it before its observer sees the update.
        Strings expected = {std::string("layer:") + name};
        if (std::string(name) == Events::UPDATE)
            expected = {"layer:prepareLights", "layer:render", "layer:update"};
        ASSERT_EQ(f.log.trace(), expected);
        const SeenEvent& seen = f.log.seen.back();
        EXPECT_EQ(seen.record, &e) << "the window's own record, source and all";
        EXPECT_EQ(seen.source, &f.window);
    }
}

TEST(DisplayEventsTest, AltReturnRequestsTheToggleOnceAndStopsTheLoop) {
    struct Case {
        const char* label;
        int sym;
        uint16_t mod;
        bool repeat;
        bool requested;
    };
    const std::vector<Case> cases = {
        {"left Alt", 13, 0x100, false, true},       {"right Alt", 13, 0x200, false, true},
        {"Alt with Shift", 13, 0x101, false, true}, {"held down (auto-repeat)", 13, 0x100, true, false},
        {"Return alone", 13, 0, false, false},      {"Ctrl+Return", 13, 0x40, false, false},
        {"Alt+Escape", 27, 0x100, false, false},
    };
    Fixture f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        platform_events::drain();
        f.app.fullscreenRequested = false;
        f.log.clear();
        KeyRecord key;
        key.sym = c.sym;
        key.mod = c.mod;
        captureLog([&] { f.window.onKeyDown(key, c.repeat); });
        EXPECT_EQ(f.app.fullscreenRequested, c.requested);
        // The request stops the loop through the platform's quit event.
        EXPECT_EQ(platform_events::quitPending(), c.requested);
        // The key reaches the shared layer either way.
        ASSERT_FALSE(f.log.seen.empty());
        EXPECT_EQ(f.log.trace().front(), "layer:keydown");
    }
}

TEST(DisplayEventsTest, EscapeFadesToTheGalleryOnce) {
    Fixture f;
    f.window.sendBroadcast(Events::ESCAPE);
    EXPECT_FALSE(f.app.sharedLayer->plane->visible) << "no gallery, no fade";

    f.app.gallery = f.gallery;
    f.window.sendBroadcast(Events::ESCAPE);
    EXPECT_TRUE(f.app.sharedLayer->plane->visible);
    EXPECT_EQ(f.app.sharedLayer->target, f.gallery);
    EXPECT_TRUE(f.app.sharedLayer->timer->running);

    // A second Escape within the fade changes nothing.
    f.app.sharedLayer->timer->animate(0.3f);
    f.window.sendBroadcast(Events::ESCAPE);
    EXPECT_FLOAT_EQ(f.app.sharedLayer->timer->time, 0.3f);
    EXPECT_EQ(f.app.sharedLayer->target, f.gallery);
}

}  // namespace
