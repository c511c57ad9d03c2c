#include "RunesGame.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "game/runes/Button.h"
#include "game/runes/Rune.h"
#include "platform/GL.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/Scene.h"
#include "scene/Transform.h"
#include "support/PlatformEvents.h"
#include "support/Png.h"
#include "support/WindowPoint.h"
#include "window/Timer.h"
#include "window/Window.h"

namespace {

std::string plain(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 16; i++) pixels.insert(pixels.end(), {r, g, b, a});
    return png::encode(4, 4, png::RGBA, pixels);
}

}  // namespace

std::map<std::string, std::string> runesPictures() {
    std::map<std::string, std::string> pictures = {
        {"pixel.png", plain(255, 255, 255, 255)},        {"runesBackground1.png", plain(0, 0, 64, 255)},
        {"runesBackground2.png", plain(0, 0, 64, 255)},  {"runesBackground3.png", plain(0, 0, 64, 255)},
        {"successIcon.png", plain(255, 255, 255, 255)},  {"failIcon.png", plain(255, 255, 255, 255)},
        {"runeborderbg.png", plain(128, 128, 128, 255)}, {"runePoint.png", plain(255, 255, 255, 255)},
    };
    for (int t = 1; t <= 4; t++) {
        pictures["rune" + std::to_string(t) + ".png"] = plain(255, 255, 255, 255);
        pictures["rune" + std::to_string(t) + "mask.png"] = plain(255, 255, 255, 255);
    }
    return pictures;
}

std::map<std::string, std::string> runesPictures(const std::map<std::string, std::string>& replaced) {
    std::map<std::string, std::string> pictures = runesPictures();
    for (const auto& [name, bytes] : replaced) pictures[name] = bytes;
    return pictures;
}

RunesGame::RunesGame(int level, const std::map<std::string, std::string>& pictures) : GameFolder(pictures) {
    show(level);
}

RunesGame::RunesGame(int level, const std::string& pack) : GameFolder({}), packPath(pack) {
    // Entries load what they hold on first use, from the pack when it exists.
    Resources::archive = packPath.c_str();
    show(level);
}

void RunesGame::show(int level) {
    runes = new Runes(&app, level);
    app.displays.add(runes);
    app.window->setDisplay(runes);
    platform_events::drain();
    // The first frame gives the display its viewport and the cameras their projections.
    frame(0);
}

Rune* RunesGame::rune(int index) const {
    int seen = 0;
    for (Component* c : runes->runeScene->children) {
        if (Rune* r = dynamic_cast<Rune*>(c)) {
            if (seen++ == index) return r;
        }
    }
    return nullptr;
}

void RunesGame::run(float seconds, float step) {
    for (float t = 0; t < seconds - 1e-4f; t += step) frame(step);
}

void RunesGame::untilAnswering() {
    // Frames of a player's 20 ms near the end of the showing, so that the runes end it as
    // they do in play: each rune keeps the opacity of the frame before the last.
    for (int i = 0; i < 200 && runes->phase != Runes::Phase::ANSWERING; i++) {
        bool ending =
            runes->phase == Runes::Phase::SHOWING && rune(0)->showTimer->time > Rune::SHOW_TIME - 0.5f;
        frame(ending ? 0.02f : 0.25f);
    }
    ASSERT_EQ(runes->phase, Runes::Phase::ANSWERING);
    // The bar comes up within a second.
    run(1.25f);
}

Vector2 RunesGame::windowPointOf(Vector3 world) const {
    return ::windowPointOf(runes->runeScene, app.window, world);
}

Vector2 RunesGame::windowPointOf(Component* node) const {
    return windowPointOf(dynamic_cast<Transform*>(node)->getGlobalTransform().getBase());
}

void RunesGame::click(Vector2 at) {
    app.window->onPointerDown(at, 1);
    app.window->onPointerUp(at, 1);
}

void RunesGame::clickOn(Component* node) { click(windowPointOf(node)); }

void RunesGame::saveScreenshot(const std::string& file) const {
    int width = app.window->viewport.width;
    int height = app.window->viewport.height;
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int y = 0; y < height; y++) {
        glReadPixels(0, height - 1 - y, width, 1, GL_RGB, GL_UNSIGNED_BYTE,
                     &rows[static_cast<size_t>(y) * width * 3]);
    }
    std::ofstream(file, std::ios::binary) << png::encode(width, height, png::RGB, rows);
}

void RunesGame::raiseBar() {
    runes->bar->localMatrix.loadIdentity();
    runes->bar->localMatrix.translate(Vector3(0, Runes::BAR_UP_Y, Runes::BAR_Z));
}

void RunesGame::answerRight() {
    for (int i = 0; i < runes->runeCount; i++) {
        clickOn(rune(i));
        clickOn(runes->typeButtons[rune(i)->type]);
    }
}
