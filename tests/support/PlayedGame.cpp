#include "support/PlayedGame.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/GL.h"
#include "support/PlatformEvents.h"
#include "support/WorkingDirectory.h"
#include "support/XScreen.h"
#include "window/Keys.h"
#include "window/Window.h"

namespace {

// Sets environment variables for a while and puts back what was there.
class Environment {
public:
    void set(const char* name, const std::string& value) {
        const char* old = getenv(name);
        saved.push_back({name, old ? old : "", old != nullptr});
        setenv(name, value.c_str(), 1);
    }
    ~Environment() {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
            if (it->had) {
                setenv(it->name, it->value.c_str(), 1);
            } else {
                unsetenv(it->name);
            }
        }
    }

private:
    struct Saved {
        const char* name;
        std::string value;
        bool had;
    };
    std::vector<Saved> saved;
};

}  // namespace

PlayedGame::PlayedGame(bool privateScreen) {
    if (privateScreen) screen = std::make_unique<PrivateScreen>();
}

PlayedGame::~PlayedGame() {
    if (testing::Test::HasFailure()) {
        printf("--- what the game logged ---\n%s--- on standard error ---\n%s---\n", log().c_str(),
               errors().c_str());
    }
}

size_t PlayedGame::soundBytes() const {
    std::error_code missing;
    uintmax_t size = std::filesystem::file_size(soundFile(), missing);
    return missing ? 0 : static_cast<size_t>(size);
}

std::string PlayedGame::log() const { return liveLog ? liveLog->text() : finalLog; }

std::string PlayedGame::errors() const { return liveErrors ? liveErrors->text() : finalErrors; }

void PlayedGame::play(const Script& s) {
    if (screen && !screen->up()) {
        ADD_FAILURE() << "no private X server: " << screen->problem;
        return;
    }
    std::error_code copied;
    std::filesystem::copy_file(pack, folder / "Quandrels.dat",
                               std::filesystem::copy_options::overwrite_existing, copied);
    if (copied) {
        ADD_FAILURE() << "cannot copy the data pack " << pack << ": " << copied.message();
        return;
    }
    script = s;
    Environment environment;
    if (screen) environment.set("DISPLAY", screen->display());
    if (recordSound) {
        environment.set("SDL_AUDIODRIVER", "disk");
        environment.set("SDL_DISKAUDIOFILE", soundFile());
        // SDL 1.2 waits 150 ms between two 1024-frame writes unless told otherwise; this is
        // the buffer's own length, so the file fills in real time in both builds.
        environment.set("SDL_DISKAUDIODELAY", "23");
    }
    WorkingDirectoryGuard back;
    if (chdir(folder.path().c_str()) != 0) {
        ADD_FAILURE() << "cannot enter " << folder.path();
        return;
    }
    liveLog = std::make_unique<LiveLog>();
    liveErrors = std::make_unique<LiveOutput>(2);
    start();
    platform_events::stopIgnoringWindowSystemInput();
    finalLog = liveLog->text();
    finalErrors = liveErrors->text();
    liveErrors.reset();
    liveLog.reset();
}

void PlayedGame::runLoop() {
    // Only the input the script pushes reaches the game, not the X pointer's wanderings.
    platform_events::ignoreWindowSystemInput();
    try {
        script(*this);
    } catch (const char*) {
        throw;  // the game's own fatal message: start() logs it and shuts down
    } catch (const std::exception& e) {
        ADD_FAILURE() << "the script threw: " << e.what();
    } catch (...) {
        ADD_FAILURE() << "the script threw";
    }
}

bool PlayedGame::frame() {
    if (over || !window) return false;
    const auto start = std::chrono::steady_clock::now();
    window->fixedFrameMs = frameMs;
    window->runFrame();
    frameCount++;
    if (paced) {
        std::this_thread::sleep_for(Window::frameDelay(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)));
    }
    if (!window->running) {
        // As Application::runLoop does between two runs of the loop.
        if (fullscreenRequested) {
            fullscreenRequested = false;
            toggleFullscreen();
            toggles++;
        } else {
            over = true;
        }
    }
    return true;
}

void PlayedGame::frames(int count) {
    for (int i = 0; i < count && frame(); i++) {
    }
}

bool PlayedGame::waitUntil(const std::function<bool()>& condition, int maxFrames) {
    for (int i = 0; i < maxFrames; i++) {
        if (condition()) return true;
        if (!frame()) return false;
    }
    return condition();
}

bool PlayedGame::waitForEnd(int maxFrames) {
    return waitUntil([&] { return over; }, maxFrames);
}

namespace {

int toPixels(double fraction, int size) { return static_cast<int>(std::lround(fraction * size)); }

}  // namespace

void PlayedGame::moveTo(double x, double y) {
    int px = toPixels(x, window->viewport.width), py = toPixels(y, window->viewport.height);
    platform_events::pushMouseMotion(px, py, px - pointerX, py - pointerY);
    pointerX = px;
    pointerY = py;
}

void PlayedGame::press(double x, double y, int button) {
    moveTo(x, y);
    platform_events::pushMouseButton(true, pointerX, pointerY, button);
}

void PlayedGame::release(double x, double y, int button) {
    moveTo(x, y);
    platform_events::pushMouseButton(false, pointerX, pointerY, button);
}

void PlayedGame::click(double x, double y) {
    press(x, y);
    frame();
    release(x, y);
}

void PlayedGame::drag(double x0, double y0, double x1, double y1, int steps) {
    press(x0, y0);
    for (int i = 1; i <= steps; i++) {
        frame();
        double t = static_cast<double>(i) / steps;
        moveTo(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t);
    }
    frame();
    release(x1, y1);
}

void PlayedGame::key(int sym, int mod) { platform_events::pushKey(sym, mod); }

void PlayedGame::escape() { key(Keys::ESCAPE); }

void PlayedGame::altReturn() { key(Keys::RETURN, Keys::MOD_LEFT_ALT); }

Screenshot PlayedGame::screenshot(const std::string& name) {
    Screenshot shot;
    if (window) {
        // What the X server shows in the window: where the last swap put the frame.
        glFinish();
        shot.rgb = drawableImage(&shot.width, &shot.height);
    }
    shot.save(name);
    return shot;
}
