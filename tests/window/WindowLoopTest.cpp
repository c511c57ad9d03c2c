// The real window: what it logs when it opens, its size, and the frame loop's translation of
// platform events into broadcasts, in order, with the state handlers read at each one.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/GL.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"
#include "support/PlatformEvents.h"
#include "support/XScreen.h"
#include "window/Window.h"

namespace {

using Strings = std::vector<std::string>;
namespace pe = platform_events;

// What a handler sees of the window when an event reaches it.
struct Seen {
    std::string name;
    Vector2 position, downPosition, delta;
    int button;
    bool pressed;
    int sym, mod;
    bool repeat;
    Rect viewport;
    Component* source;
};

class Recorder : public Component {
public:
    explicit Recorder(Window* window) : window(window) {}
    Event* onEvent(Event* e) override {
        seen.push_back(Seen{e->name, window->mousePosition, window->mouseDownPosition, window->mouseDelta,
                            window->mouseButton, window->mousePressed, window->key.sym, window->key.mod,
                            window->keyRepeat, window->viewport, e->source});
        if (onUpdate && std::string(e->name) == "update") onUpdate();
        return e;
    }
    Strings names() const {
        Strings out;
        for (const Seen& s : seen) out.push_back(s.name);
        return out;
    }
    const Seen& last(const std::string& name) const {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it) {
            if (it->name == name) return *it;
        }
        throw std::runtime_error("never seen: " + name);
    }

    Window* window;
    std::vector<Seen> seen;
    std::function<void()> onUpdate;
};

class WindowLoopTest : public testing::Test {
protected:
    void SetUp() override {
        movePointerAway();
        window = std::make_unique<GLWindow>(854, 480);
        recorder = new Recorder(window->get());
        window->get()->setDisplay(recorder);
        pe::ignoreWindowSystemInput();
        pe::drain();
        recorder->seen.clear();
    }
    void TearDown() override { pe::stopIgnoringWindowSystemInput(); }
    // Runs the loop until the quit event that the test pushed last; returns what was logged.
    std::string runOnce() {
        return captureLog([&] { window->get()->run(); });
    }
    std::string runFrameLogged() {
        return captureLog([&] { window->get()->runFrame(); });
    }

    std::unique_ptr<GLWindow> window;
    Recorder* recorder = nullptr;
};

TEST(WindowOpenTest, LogsItsSizeAndTheGLStrings) {
    Window* window = nullptr;
    std::string log = captureLog([&] { window = new Window("Quandrels", false, 854, 480); });
    std::vector<std::string> lines = {"Width = 854, Height = 480.\n",
                                      "GL Version: ",
                                      "GL Vendor: ",
                                      "GL Renderer: ",
                                      "GL Extensions: ",
                                      "GLSL Version: "};
#ifndef QUANDRELS_TEST_FIXED_BUILD
    lines.insert(lines.begin() + 1, "Using GLEW ");
    lines.push_back("Is supported GL2: y\n");
#endif
    size_t at = 0;
    for (const std::string& line : lines) {
        size_t found = log.find(line, at);
        EXPECT_NE(found, std::string::npos) << "missing or out of order: " << line << "\n" << log;
        if (found != std::string::npos) at = found + line.size();
    }
    EXPECT_EQ(window->viewport.x, 0);
    EXPECT_EQ(window->viewport.y, 0);
    EXPECT_EQ(window->viewport.width, 854);
    EXPECT_EQ(window->viewport.height, 480);
    EXPECT_TRUE(window->running);
    EXPECT_EQ(window->display, nullptr);
    EXPECT_FALSE(window->mousePressed);
    EXPECT_NE(glGetString(GL_VERSION), nullptr) << "the GL context is current";
#ifdef QUANDRELS_TEST_FIXED_BUILD
    // The fixed-function pipeline starts from the program's own state.
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    GLfloat depth = 0;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_EQ(depth, 1.0f);
#endif
    delete window;
    SDL_Quit();
}

TEST(WindowOpenTest, FullscreenWindowHasTheScreenSizeAtOnce) {
    GLWindow window(0, 0, true);
    // No resize event is needed: the size is known before the first frame.
    std::array<int, 2> screen = screenSize();
    ASSERT_GT(screen[0], 0);
    EXPECT_EQ(window->viewport.width, screen[0]);
    EXPECT_EQ(window->viewport.height, screen[1]);
}

TEST_F(WindowLoopTest, TranslatesPlatformEventsInOrder) {
    struct Case {
        const char* label;
        std::function<void()> push;
        Strings expected;
    };
    const std::vector<Case> cases = {
        {"press and release",
         [] {
             pe::pushMouseButton(true, 427, 240, 1);
             pe::pushMouseButton(false, 427, 240, 1);
         },
         {"mouseDown", "_mouseUp", "mouseUp", "update"}},
        {"release without press", [] { pe::pushMouseButton(false, 10, 10, 1); }, {"_mouseUp", "update"}},
        {"two clicks",
         [] {
             pe::pushMouseButton(true, 1, 1, 1);
             pe::pushMouseButton(false, 1, 1, 1);
             pe::pushMouseButton(false, 1, 1, 1);
             pe::pushMouseButton(true, 1, 1, 3);
             pe::pushMouseButton(false, 1, 1, 3);
         },
         {"mouseDown", "_mouseUp", "mouseUp", "_mouseUp", "mouseDown", "_mouseUp", "mouseUp", "update"}},
        {"escape", [] { pe::pushKey(27, 0); }, {"keydown", "escape", "update"}},
        {"other keys",
         [] {
             pe::pushKey('a', 0);
             pe::pushKey(13, 0x100);
         },
         {"keydown", "keydown", "update"}},
        {"motion", [] { pe::pushMouseMotion(100, 50, 3, -2); }, {"mouseMove", "update"}},
        {"resize", [] { pe::pushResize(1000, 500); }, {"resize", "update"}},
        {"nothing", [] {}, {"update"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        recorder->seen.clear();
        window->get()->running = true;
        c.push();
        pe::pushQuit();
        std::string log = runOnce();
        EXPECT_EQ(recorder->names(), c.expected);
        EXPECT_EQ(log, "Quit send\n");
        EXPECT_FALSE(window->get()->running);
        for (const Seen& s : recorder->seen) EXPECT_EQ(s.source, window->get()) << s.name;
    }
}

TEST_F(WindowLoopTest, PointerStateFollowsTheEvents) {
    pe::pushMouseMotion(427, 120, 85, -48);
    pe::pushMouseButton(true, 854 / 4, 480 / 4, 3);
    pe::pushMouseButton(false, 854 / 2, 480 / 2, 3);
    pe::pushQuit();
    runOnce();

    const Seen& move = recorder->last("mouseMove");
    EXPECT_FLOAT_EQ(move.position.x, 0.5f);
    EXPECT_FLOAT_EQ(move.position.y, 0.25f);
    EXPECT_FLOAT_EQ(move.delta.x, 85.0f / 854.0f);
    EXPECT_FLOAT_EQ(move.delta.y, -0.1f);

    const Seen& down = recorder->last("mouseDown");
    EXPECT_FLOAT_EQ(down.position.x, 213.0f / 854.0f);
    EXPECT_FLOAT_EQ(down.position.y, 0.25f);
    EXPECT_EQ(down.downPosition, down.position);
    EXPECT_EQ(down.button, 3);
    EXPECT_TRUE(down.pressed);

    const Seen& rawUp = recorder->last("_mouseUp");
    EXPECT_FLOAT_EQ(rawUp.position.x, 0.5f);
    EXPECT_FLOAT_EQ(rawUp.position.y, 0.5f);
    EXPECT_EQ(rawUp.downPosition, down.position) << "the press position stays";
    EXPECT_TRUE(rawUp.pressed);
    const Seen& up = recorder->last("mouseUp");
    EXPECT_TRUE(up.pressed) << "cleared only after mouseUp";
    EXPECT_FALSE(window->get()->mousePressed);
}

TEST_F(WindowLoopTest, KeyAndResizeStateFollowTheEvents) {
    pe::pushKey(27, 0x200);
    pe::pushResize(1000, 500);
    pe::pushQuit();
    runOnce();
    const Seen& escape = recorder->last("escape");
    EXPECT_EQ(escape.sym, 27);
    EXPECT_EQ(escape.mod, 0x200);
    EXPECT_FALSE(escape.repeat);
    const Seen& resize = recorder->last("resize");
    EXPECT_EQ(resize.viewport.width, 1000);
    EXPECT_EQ(resize.viewport.height, 500);
    window->get()->setGLViewport();
    GLint gl[4] = {};
    glGetIntegerv(GL_VIEWPORT, gl);
    EXPECT_EQ(std::vector<GLint>(gl, gl + 4), (std::vector<GLint>{0, 0, 1000, 500}));

    // Positions are fractions of the new size.
    window->get()->running = true;
    pe::pushMouseButton(true, 500, 125, 1);
    pe::pushQuit();
    runOnce();
    EXPECT_FLOAT_EQ(recorder->last("mouseDown").position.x, 0.5f);
    EXPECT_FLOAT_EQ(recorder->last("mouseDown").position.y, 0.25f);
}

TEST_F(WindowLoopTest, QuitInTheMiddleOfABatchStillFinishesTheFrame) {
    keepContentsWhenCovered();
    int swapsShown = 0;
    recorder->onUpdate = [&] {
        // Each update paints a new colour; what reaches the front buffer shows the swap.
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        swapsShown++;
    };
    pe::pushMouseButton(true, 10, 10, 1);
    pe::pushQuit();
    pe::pushMouseButton(false, 10, 10, 1);
    pe::pushKey(27, 0);
    std::string log = runOnce();
    EXPECT_EQ(recorder->names(),
              (Strings{"mouseDown", "_mouseUp", "mouseUp", "keydown", "escape", "update"}));
    EXPECT_EQ(swapsShown, 1);
    EXPECT_EQ(log, "Quit send\n");

    glFinish();
    EXPECT_EQ(shownPixel(5, 5), (std::array<int, 3>{0, 0, 255})) << "the frame was swapped to the screen";
}

TEST_F(WindowLoopTest, QuitEndsTheLoopAfterOneMoreFrame) {
    int updates = 0;
    recorder->onUpdate = [&] {
        if (++updates == 3) window->get()->quit();
    };
    std::string log = runOnce();
    // The quit pushed during the third update is read at the start of the fourth frame.
    EXPECT_EQ(updates, 4);
    EXPECT_EQ(log, "Quit send\n");
}

TEST_F(WindowLoopTest, FrameTimeCountsFromThePreviousFrame) {
    Window* w = window->get();
    // The first frame counts from the window's construction (or, here, an earlier frame).
    w->lastTicks = SDL_GetTicks();
    SDL_Delay(40);
    std::vector<uint32_t> ticks;
    std::vector<float> deltas;
    recorder->onUpdate = [&] {
        ticks.push_back(w->ticks);
        deltas.push_back(w->deltaTime);
        if (ticks.size() == 3) w->quit();
    };
    runOnce();
    ASSERT_EQ(ticks.size(), 4u);
    EXPECT_GE(deltas[0], 0.040f);
    for (size_t i = 1; i < ticks.size(); i++) {
        EXPECT_FLOAT_EQ(deltas[i], static_cast<float>(ticks[i] - ticks[i - 1]) / 1000.0f);
    }
    // A frame that came less than 20 ms after its predecessor sleeps the difference after
    // its swap, so the next frame starts no earlier than 20 ms after that predecessor (less
    // a millisecond: the tick counter and the sleep do not share one clock).
    for (size_t i = 1; i + 1 < ticks.size(); i++) {
        uint32_t elapsed = ticks[i] - ticks[i - 1];
        if (elapsed <= 19) {
            EXPECT_GE(ticks[i + 1] - ticks[i - 1], 19u) << "frame " << i;
        }
    }
    EXPECT_EQ(w->lastTicks, ticks.back());
}

TEST_F(WindowLoopTest, TheGamesWindowLogsItsFirstFrameOnce) {
    // The game's window says when its first frame is on the screen (start-up is measured to
    // that line), once however many frames follow; other windows say nothing of it.
    int updates = 0;
    recorder->onUpdate = [&] {
        if (++updates == 3) window->get()->quit();
    };
    window->get()->logFirstFrame = true;
    std::string log = runOnce();
    EXPECT_EQ(updates, 4);
    EXPECT_EQ(log, "First frame shown\nQuit send\n");

    updates = 0;
    window->get()->running = true;
    window->get()->logFirstFrame = false;
    EXPECT_EQ(runOnce(), "Quit send\n");
}

TEST_F(WindowLoopTest, RunFrameIsOneFrameOfTheLoop) {
    Window* w = window->get();
    pe::pushMouseButton(true, 10, 10, 1);
    pe::pushKey(27, 0);
    runFrameLogged();
    EXPECT_EQ(recorder->names(), (Strings{"mouseDown", "keydown", "escape", "update"}));
    EXPECT_TRUE(w->running) << "one frame, and the loop is not over";
    EXPECT_EQ(w->lastTicks, w->ticks);

    // A quit ends the loop after finishing its frame, as run() does.
    recorder->seen.clear();
    pe::pushQuit();
    EXPECT_EQ(runFrameLogged(), "Quit send\n");
    EXPECT_EQ(recorder->names(), (Strings{"update"}));
    EXPECT_FALSE(w->running);
}

TEST_F(WindowLoopTest, AFixedFrameClockAdvancesExactlyByItsStep) {
    Window* w = window->get();
    w->fixedFrameMs = 20;
    const uint32_t start = w->lastTicks;
    std::vector<float> deltas;
    std::vector<uint32_t> ticks;
    recorder->onUpdate = [&] {
        deltas.push_back(w->deltaTime);
        ticks.push_back(w->ticks);
    };
    // However long the frames really take.
    for (int delay : {0, 45, 3}) {
        SDL_Delay(static_cast<Uint32>(delay));
        runFrameLogged();
    }
    EXPECT_EQ(deltas, (std::vector<float>{0.02f, 0.02f, 0.02f}));
    EXPECT_EQ(ticks, (std::vector<uint32_t>{start + 20, start + 40, start + 60}));

    // Back on the platform clock, the frame counts the real time since the last fixed one.
    w->fixedFrameMs = 0;
    w->lastTicks = SDL_GetTicks();
    SDL_Delay(30);
    runFrameLogged();
    EXPECT_GE(deltas.back(), 0.030f);
}

#ifndef QUANDRELS_TEST_FIXED_BUILD

void pushRaw(SDL_Event e) { SDL_PushEvent(&e); }

SDL_Event fingerEvent(Uint32 type, float x, float y, float dx = 0, float dy = 0) {
    SDL_Event e;
    SDL_zero(e);
    e.type = type;
    e.tfinger.x = x;
    e.tfinger.y = y;
    e.tfinger.dx = dx;
    e.tfinger.dy = dy;
    return e;
}

// SDL's mouse copy of a touch.
SDL_Event touchMouse(Uint32 type, int x, int y) {
    SDL_Event e;
    SDL_zero(e);
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.which = SDL_TOUCH_MOUSEID;
        e.motion.x = x;
        e.motion.y = y;
    } else {
        e.button.which = SDL_TOUCH_MOUSEID;
        e.button.button = 1;
        e.button.x = x;
        e.button.y = y;
    }
    return e;
}

TEST_F(WindowLoopTest, ATouchGivesOnePressAndOneRelease) {
    pushRaw(fingerEvent(SDL_FINGERDOWN, 0.25f, 0.5f));
    pushRaw(touchMouse(SDL_MOUSEBUTTONDOWN, 213, 240));
    pushRaw(fingerEvent(SDL_FINGERMOTION, 0.5f, 0.75f, 0.25f, 0.25f));
    pushRaw(touchMouse(SDL_MOUSEMOTION, 427, 360));
    pushRaw(fingerEvent(SDL_FINGERUP, 0.5f, 0.75f));
    pushRaw(touchMouse(SDL_MOUSEBUTTONUP, 427, 360));
    pe::pushQuit();
    runOnce();
    EXPECT_EQ(recorder->names(), (Strings{"mouseDown", "mouseMove", "_mouseUp", "mouseUp", "update"}));
    const Seen& down = recorder->last("mouseDown");
    EXPECT_EQ(down.button, 1);
    EXPECT_FLOAT_EQ(down.position.x, 0.25f);
    EXPECT_FLOAT_EQ(down.position.y, 0.5f);
    const Seen& move = recorder->last("mouseMove");
    EXPECT_FLOAT_EQ(move.delta.x, 0.25f);
    EXPECT_FLOAT_EQ(move.delta.y, 0.25f);
    EXPECT_FLOAT_EQ(recorder->last("_mouseUp").position.y, 0.75f);
}

TEST_F(WindowLoopTest, KeyRepeatsBroadcastAndAreMarked) {
    pe::pushKey(27, 0, false);
    pe::pushKey(27, 0, true);
    pe::pushQuit();
    runOnce();
    EXPECT_EQ(recorder->names(), (Strings{"keydown", "escape", "keydown", "escape", "update"}));
    EXPECT_FALSE(recorder->seen[0].repeat);
    EXPECT_TRUE(recorder->seen[2].repeat);
}

TEST_F(WindowLoopTest, OnlyThisWindowsSizeCounts) {
    // After a fullscreen toggle the destroyed window's last size (1 x 1) is still queued.
    const Uint32 own = SDL_GetWindowID(static_cast<SDL_Window*>(window->get()->platformWindow));
    SDL_Event resized;
    SDL_zero(resized);
    resized.type = SDL_WINDOWEVENT;
    resized.window.event = SDL_WINDOWEVENT_RESIZED;
    resized.window.windowID = own + 1;
    resized.window.data1 = 1;
    resized.window.data2 = 1;
    pushRaw(resized);
    pe::pushQuit();
    runOnce();
    EXPECT_EQ(recorder->names(), (Strings{"update"}));
    EXPECT_EQ(window->get()->viewport.width, 854);

    window->get()->running = true;
    recorder->seen.clear();
    resized.window.windowID = own;
    resized.window.data1 = 1000;
    resized.window.data2 = 500;
    pushRaw(resized);
    pe::pushQuit();
    runOnce();
    EXPECT_EQ(recorder->names(), (Strings{"resize", "update"}));
    EXPECT_EQ(window->get()->viewport.width, 1000);
}

TEST_F(WindowLoopTest, OtherWindowEventsAndTheWheelAreIgnored) {
    SDL_Event moved;
    SDL_zero(moved);
    moved.type = SDL_WINDOWEVENT;
    moved.window.event = SDL_WINDOWEVENT_MOVED;
    moved.window.data1 = 5;
    moved.window.data2 = 6;
    pushRaw(moved);
    SDL_Event wheel;
    SDL_zero(wheel);
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 1;
    pushRaw(wheel);
    pe::pushQuit();
    runOnce();
    EXPECT_EQ(recorder->names(), (Strings{"update"}));
    EXPECT_EQ(window->get()->viewport.width, 854);
}

#else

TEST_F(WindowLoopTest, WheelButtonsAreNotClicks) {
    pe::pushMouseButton(true, 10, 10, SDL_BUTTON_WHEELUP);
    pe::pushMouseButton(false, 10, 10, SDL_BUTTON_WHEELUP);
    pe::pushMouseButton(true, 10, 10, SDL_BUTTON_WHEELDOWN);
    pe::pushMouseButton(false, 10, 10, SDL_BUTTON_WHEELDOWN);
    pe::pushMouseButton(true, 10, 10, SDL_BUTTON_MIDDLE);
    pe::pushMouseButton(false, 10, 10, SDL_BUTTON_MIDDLE);
    pe::pushQuit();
    runOnce();
    EXPECT_EQ(recorder->names(), (Strings{"mouseDown", "_mouseUp", "mouseUp", "update"}));
    EXPECT_EQ(recorder->last("mouseDown").button, SDL_BUTTON_MIDDLE);
}

#endif

}  // namespace
