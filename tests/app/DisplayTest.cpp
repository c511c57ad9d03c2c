// The display base class: the letter-boxed viewport, Alt+Return, and forwarding of every
// event to the shared layer.
#include <string>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/Display.h"
#include "app/Events.h"
#include "app/Quandrels.h"
#include "app/Window.h"
#include "support/LogCapture.h"
#include "support/RecordingComponent.h"

// Found by argument-dependent lookup when gtest prints a Rect.
static std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

namespace {

using Strings = std::vector<std::string>;

TEST(DisplayTest, LetterboxKeepsTheDesignAspect) {
    struct Case {
        int w, h;
        Rect expected;
    };
    const std::vector<Case> cases = {
        // The float aspect lies just above 854 / 480, so the default window loses a row;
        // computing in float instead would give 480.
        {854, 480, {0, 0, 854, 479}},
        {1000, 500, {55, 0, 889, 500}},
        {854, 600, {0, 60, 854, 479}},
        {1920, 1080, {0, 0, 1920, 1079}},
        {480, 854, {0, 292, 480, 269}},
        {2560, 1080, {319, 0, 1921, 1080}},
        {800, 600, {0, 75, 800, 449}},
        // A sliver still gets a pixel each way: no camera may see a zero height.
        {1, 1, {0, 0, 1, 1}},
        {1, 600, {0, 299, 1, 1}},
    };
    Rect unchanged{1, 2, 3, 4};
    for (const Case& c : cases) {
        EXPECT_EQ(Display::letterbox(c.w, c.h, unchanged), c.expected) << c.w << " x " << c.h;
    }
}

TEST(DisplayTest, WindowWithoutAreaKeepsTheLastViewport) {
    Rect last{55, 0, 889, 500};
    const std::vector<std::pair<int, int>> sizes = {{0, 0}, {854, 0}, {0, 480}, {-5, 480}};
    for (const auto& [w, h] : sizes) {
        EXPECT_EQ(Display::letterbox(w, h, last), last) << w << " x " << h;
    }
}

struct Fixture {
    Quandrels app;
    Window window{Window::Detached{}, 1000, 500};
    EventLog log;
    RecordingComponent* layer = new RecordingComponent(&log, "layer");
    Display* display = new Display(&app);

    Fixture() {
        app.window = &window;
        app.sharedLayer = layer;
        window.setDisplay(display);
        log.clear();
    }
    ~Fixture() {
        display->unlink();
        delete display;
        delete layer;
        app.window = nullptr;
        app.sharedLayer = nullptr;
    }
};

TEST(DisplayTest, UpdateAndResizeRecomputeTheViewport) {
    Fixture f;
    EXPECT_EQ(f.display->viewport, (Rect{0, 0, 0, 0})) << "zero until the first update";
    f.window.sendBroadcast(Events::UPDATE);
    EXPECT_EQ(f.display->viewport, (Rect{55, 0, 889, 500}));

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

TEST(DisplayTest, EveryEventReachesTheSharedLayerAsTheSameRecord) {
    Fixture f;
    for (const char* name : {"update", "resize", "keydown", "escape", "mouseUp", "anything"}) {
        f.log.clear();
        Event e{name, &f.window, nullptr, true};
        Event* back = f.display->onEvent(&e);
        EXPECT_EQ(back, &e);
        ASSERT_EQ(f.log.seen.size(), 1u) << name;
        EXPECT_EQ(f.log.seen[0].name, name);
        EXPECT_EQ(f.log.seen[0].record, &e) << "the window's own record, source and all";
        EXPECT_EQ(f.log.seen[0].source, &f.window);
    }
}

TEST(DisplayTest, AltReturnRequestsTheToggleOnceAndStopsTheLoop) {
    struct Case {
        const char* label;
        int sym;
        uint16_t mod;
        bool repeat;
        bool requested;
    };
    const std::vector<Case> cases = {
        {"left Alt", 13, 0x100, false, true},
        {"right Alt", 13, 0x200, false, true},
        {"Alt with Shift", 13, 0x101, false, true},
        {"held down (auto-repeat)", 13, 0x100, true, false},
        {"Return alone", 13, 0, false, false},
        {"Ctrl+Return", 13, 0x40, false, false},
        {"Alt+Escape", 27, 0x100, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SDL_Quit();  // no event queue: a quit that is asked for shows as running = false
        Fixture f;
        KeyRecord key;
        key.sym = c.sym;
        key.mod = c.mod;
        captureLog([&] { f.window.onKeyDown(key, c.repeat); });
        EXPECT_EQ(f.app.fullscreenRequested, c.requested);
        EXPECT_EQ(f.window.running, !c.requested);
        // The key reaches the shared layer either way.
        EXPECT_EQ(f.log.trace().front(), "layer:keydown");
    }
}

}  // namespace
