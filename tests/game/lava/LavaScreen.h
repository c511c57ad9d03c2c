// One lava-stones level on a real 854 x 480 GL window, with the game's own data pack (the
// build's Quandrels.dat), the fade layer and the audio player on SDL's dummy driver. The test
// drives frames with a fixed frame time, clicks where things are on the screen, and reads the
// stones back.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/SharedLayer.h"
#include "audio/AudioPlayer.h"
#include "game/lava/HiddenReset.h"
#include "game/lava/LavaStones.h"
#include "game/lava/Stone.h"
#include "platform/GL.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/Picking.h"
#include "scene/Scene.h"
#include "support/LogCapture.h"
#include "support/Png.h"
#include "support/WindowPoint.h"
#include "support/WorkingDirectory.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

#ifdef QUANDRELS_TEST_FIXED_BUILD
inline constexpr const char* LAVA_BUILD = "fixed";
#else
inline constexpr const char* LAVA_BUILD = "shader";
#endif

class LavaScreen {
public:
    WorkingDirectoryGuard cwd;
    Application app;
    LavaStones* lava = nullptr;

    // With a seed, rand() is seeded right before the display is built, so that a test knows
    // every number the construction draws.
    explicit LavaScreen(int level, int seed = -1) {
        if (chdir(QUANDRELS_BINARY_DIR) != 0) throw "no build folder";
        Resources::release();
        Resources::archive = "Quandrels.dat";
        Resources::password = "";
        AudioPlayer::init();
        Resources::init();
        captureLog([&] { app.createWindow(); });
        app.sharedLayer = new SharedLayer(&app);
        if (seed >= 0) srand(static_cast<unsigned>(seed));
        lava = new LavaStones(&app, level);
        app.displays.add(lava);
        app.window->setDisplay(lava);
        // The first frame finds the letter box, the second gives the cameras their projection.
        frame();
        frame();
    }
    ~LavaScreen() {
        captureLog([&] { app.shutdown(); });
        Resources::archive = "data.dat";
    }
    LavaScreen(const LavaScreen&) = delete;
    LavaScreen& operator=(const LavaScreen&) = delete;

    void frame(float dt = 0.02f) {
        app.window->deltaTime = dt;
        app.window->sendBroadcast(Events::UPDATE);
    }
    void frames(int count, float dt = 0.02f) {
        for (int i = 0; i < count; i++) frame(dt);
    }

    // The stones by id, wherever they hang.
    std::vector<Stone*> stones() const {
        std::vector<Stone*> byId(7, nullptr);
        collect(lava->stoneScene, byId);
        return byId;
    }
    std::vector<bool> lit() const {
        std::vector<bool> states;
        for (Stone* s : stones()) states.push_back(s->lit);
        return states;
    }
    int litCount() const {
        int n = 0;
        for (bool b : lit()) n += b ? 1 : 0;
        return n;
    }
    HiddenReset* hiddenReset() const {
        for (Component* c : lava->stoneScene->children) {
            if (auto* r = dynamic_cast<HiddenReset*>(c)) return r;
        }
        return nullptr;
    }
    template <class T>
    std::vector<T*> inScene(Scene* scene) const {
        std::vector<T*> found;
        for (Component* c : scene->children) {
            if (auto* t = dynamic_cast<T*>(c)) found.push_back(t);
        }
        return found;
    }

    // Where a point of the stone scene shows, in fractions of the window.
    Vector2 onScreen(Vector3 world) const { return windowPointOf(lava->stoneScene, app.window, world); }
    Vector2 stoneOnScreen(int id) const { return onScreen(stones()[id]->getGlobalTransform().getBase()); }

    // A press and release at a point of the window (fractions).
    void click(Vector2 at) {
        app.window->onPointerDown(at, 1);
        app.window->onPointerUp(at, 1);
    }
    void clickStone(int id) { click(stoneOnScreen(id)); }
    // Clicks a point of the hidden reset that no stone covers.
    void clickHiddenReset() {
        HiddenReset* reset = hiddenReset();
        Matrix4x4 m = reset->getGlobalTransform();
        for (float v = -0.8f; v <= 0.81f; v += 0.4f) {
            for (float u = -0.8f; u <= 0.81f; u += 0.4f) {
                Vector2 at = onScreen(m.translateVector(Vector3(u, v, 0)));
                if (findAncestor<HiddenReset>(pickCollider(app.window, lava->stoneScene, at)) == reset) {
                    click(at);
                    return;
                }
            }
        }
        ADD_FAILURE() << "the hidden reset is covered";
    }

    // R, G, B of a pixel of the back buffer, y downwards.
    std::vector<int> pixel(Vector2 at) const {
        unsigned char rgba[4] = {0, 0, 0, 0};
        int x = static_cast<int>(at.x * app.window->viewport.width);
        int y = static_cast<int>(at.y * app.window->viewport.height);
        glReadPixels(x, app.window->viewport.height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    // The mean of R + G + B over the square of 2 * radius + 1 pixels around a point.
    int meanBrightness(Vector2 at, int radius) const {
        int x0 = static_cast<int>(at.x * app.window->viewport.width) - radius;
        int y0 =
            app.window->viewport.height - 1 - static_cast<int>(at.y * app.window->viewport.height) - radius;
        int side = 2 * radius + 1;
        std::vector<unsigned char> rgba(static_cast<size_t>(side) * side * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x0, y0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        long sum = 0;
        for (size_t i = 0; i < rgba.size(); i += 4) sum += rgba[i] + rgba[i + 1] + rgba[i + 2];
        return static_cast<int>(sum / (static_cast<long>(side) * side));
    }

    // The back buffer as build/screenshots/<name>-<build>.png; returns the file's path.
    std::string screenshot(const std::string& name) const {
        int w = app.window->viewport.width, h = app.window->viewport.height;
        std::vector<uint8_t> rows(static_cast<size_t>(w) * h * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
        std::vector<uint8_t> top(rows.size());
        for (int y = 0; y < h; y++) {
            std::copy_n(&rows[static_cast<size_t>(h - 1 - y) * w * 3], w * 3,
                        &top[static_cast<size_t>(y) * w * 3]);
        }
        std::string folder = std::string(QUANDRELS_BINARY_DIR) + "/screenshots";
        mkdir(folder.c_str(), 0777);
        std::string file = folder + "/" + name + "-" + LAVA_BUILD + ".png";
        std::ofstream(file, std::ios::binary) << png::encode(w, h, png::RGB, top);
        return file;
    }

private:
    static void collect(Component* at, std::vector<Stone*>& byId) {
        for (Component* c : at->children) {
            if (auto* s = dynamic_cast<Stone*>(c)) {
                if (s->id >= 0 && s->id < 7) byId[s->id] = s;
            } else {
                collect(c, byId);
            }
        }
    }
};

inline int brightness(const std::vector<int>& rgb) { return rgb[0] + rgb[1] + rgb[2]; }
