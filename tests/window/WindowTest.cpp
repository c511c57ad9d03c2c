// Window state that needs no platform window: frame pacing, display switching, pointer
// helpers, and quit when the event queue cannot take the quit event.
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LogCapture.h"
#include "support/RecordingComponent.h"
#include "window/Window.h"

namespace {

using Strings = std::vector<std::string>;

TEST(WindowTest, FrameDelayFillsTheFrameUpTo20MillisecondsAfterItsOwnWork) {
    using std::chrono::microseconds;
    // Work of this frame (events, update, swap) -> sleep after the swap.
    const std::vector<std::pair<long, long>> cases = {
        {0, 20000},   {2000, 18000}, {5000, 15000}, {19000, 1000},
        {19500, 500}, {20000, 0},    {35000, 0},    {1000000, 0},
    };
    for (const auto& [work, delay] : cases) {
        EXPECT_EQ(Window::frameDelay(microseconds(work)).count(), delay) << "work " << work << " us";
    }
}

TEST(WindowTest, SetDisplaySwitchesTheOnlyChildWithLeaveAndShow) {
    EventLog log;
    Window window(Window::Detached{}, 854, 480);
    auto* first = new RecordingComponent(&log, "first");
    auto* second = new RecordingComponent(&log, "second");

    window.setDisplay(first);
    EXPECT_EQ(log.trace(), (Strings{"first:show"}));
    EXPECT_EQ(window.display, first);
    EXPECT_EQ(first->parent, &window);

    log.clear();
    window.setDisplay(second);
    EXPECT_EQ(log.trace(), (Strings{"first:leave", "second:show"}));
    EXPECT_EQ(window.display, second);
    ASSERT_EQ(window.children.size(), 1);
    EXPECT_EQ(window.children.get(0), second);
    EXPECT_EQ(first->parent, nullptr) << "the old display is unlinked";
    for (const SeenEvent& s : log.seen) EXPECT_EQ(s.source, &window);
    EXPECT_TRUE(log.destroyed.empty()) << "displays belong to the application";
    delete first;
}

TEST(WindowTest, ViewportContainsMouseInWindowPixels) {
    // Sizes that are powers of two keep the fractions exact.
    Window window(Window::Detached{}, 1024, 512);
    Rect box{56, 0, 910, 512};
    struct Case {
        float px, py;  // window pixels
        bool inside;
    };
    const std::vector<Case> cases = {
        {56, 0, true},       // the left and top edges belong to the rectangle
        {55.5f, 10, false},  // truncates to 55
        {965.5f, 10, true},  // truncates to 965, the last column
        {966, 10, false},    // 56 + 910
        {500, 511.5f, true}, {500, 512, false}, {500, -0.5f, true},  // truncation is toward zero
        {500, -1, false},
    };
    for (const Case& c : cases) {
        Vector2 m(c.px / 1024.0f, c.py / 512.0f);
        EXPECT_EQ(window.viewportContainsMouse(box, m), c.inside) << c.px << ", " << c.py;
    }
}

TEST(WindowTest, MouseToViewportGivesFractionsOfTheRectangle) {
    Window window(Window::Detached{}, 1024, 512);
    Vector2 whole = window.mouseToViewport(Rect{0, 0, 1024, 512}, Vector2(0.3f, 0.7f));
    EXPECT_FLOAT_EQ(whole.x, 0.3f);
    EXPECT_FLOAT_EQ(whole.y, 0.7f);

    Vector2 boxed = window.mouseToViewport(Rect{56, 128, 910, 256}, Vector2(0.5f, 0.5f));
    EXPECT_FLOAT_EQ(boxed.x, (512.0f - 56.0f) / 910.0f);
    EXPECT_FLOAT_EQ(boxed.y, 0.5f);
    Vector2 outside = window.mouseToViewport(Rect{56, 128, 910, 256}, Vector2(0.0f, 0.0f));
    EXPECT_LT(outside.x, 0.0f);
    EXPECT_LT(outside.y, 0.0f);
}

TEST(WindowTest, PointerFractionsOfAWindowWithoutSizeAreZero) {
    Window sized(Window::Detached{}, 800, 400);
    EXPECT_EQ(sized.toFractions(200, 300), Vector2(0.25f, 0.75f));
    Window empty(Window::Detached{}, 0, 0);
    Vector2 f = empty.toFractions(200, 300);
    EXPECT_EQ(f, Vector2(0.0f, 0.0f));
}

TEST(WindowTest, QuitThatCannotBePushedStopsTheLoopItself) {
    SDL_Quit();  // no event queue
    Window window(Window::Detached{}, 854, 480);
    std::string log = captureLog([&] { window.quit(); });
    EXPECT_FALSE(window.running);
    EXPECT_EQ(log.rfind("SDL_QUIT event can't be pushed: ", 0), 0u) << log;
}

}  // namespace
