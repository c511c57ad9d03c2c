#include "game/lava/LavaStones.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "app/Application.h"
#include "app/DisplayScene.h"
#include "app/DrawPass.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "core/Fail.h"
#include "game/lava/Clouds.h"
#include "game/lava/Flash.h"
#include "game/lava/Glitter.h"
#include "game/lava/HiddenReset.h"
#include "game/lava/Lava.h"
#include "game/lava/LavaEvents.h"
#include "game/lava/LavaLayers.h"
#include "game/lava/LavaLevels.h"
#include "game/lava/Progress.h"
#include "game/lava/Star.h"
#include "game/lava/Stone.h"
#include "math/Angles.h"
#include "resources/SoundPlayback.h"
#include "scene/MeshRenderer.h"
#include "scene/Picking.h"
#include "scene/Scene.h"
#include "window/FrameTime.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

using LavaLevels::Extra;

namespace {

// Where spot k of a level stands in the stones' plane.
void spotPosition(const LavaLevels::Level& layout, int k, float* x, float* y) {
    if (layout.ellipseX == 0) {
        *x = layout.stones[k].x;
        *y = layout.stones[k].y;
        return;
    }
    double angle = 2 * PI * k / LavaStones::STONES;
    *x = static_cast<float>(layout.ellipseX * std::sin(angle));
    *y = static_cast<float>(layout.ellipseY * std::cos(angle));
}

// Backdrop and stars behind everything, without depth; the stones and the lava floor with
// depth; the novas blended over them; clouds, progress and flash on top.
constexpr DrawPass<LavaStones> PASSES[] = {
    {&LavaStones::sceneryScene, LavaLayers::BEHIND_STONES, PassWrites::COLOUR},
    {&LavaStones::stoneScene, LavaLayers::STONES, PassWrites::COLOUR_AND_DEPTH},
    {&LavaStones::stoneScene, LavaLayers::NOVAS, PassWrites::COLOUR},
    {&LavaStones::sceneryScene, LavaLayers::OVER_STONES, PassWrites::COLOUR_AND_DEPTH},
};

}  // namespace

LavaStones::LavaStones(Application* app, int level) : Display(app), level(level) {
    const LavaLevels::Level& layout = levelTable(level);
    buildScenery(layout);
    buildStones(layout);

    novaTimer = new Timer(NOVA_DURATION);
    novaTimer->setIntervals(NOVA_POINTS, NOVA_TIMES);
    novaTimer->phaseEvent = Events::NOVA;
    add(novaTimer);
}

void LavaStones::buildScenery(const LavaLevels::Level& layout) {
    sceneryScene = DisplayScene::overlay(this);
    sceneryScene->add(Overlay::makeBackdrop(layout.backdrop));
    if (layout.glitters) {
        for (const LavaLevels::Sprite& g : LavaLevels::GLITTERS) sceneryScene->add(new Glitter(g.x, g.y));
    } else {
        for (const LavaLevels::Sprite& s : LavaLevels::STARS) sceneryScene->add(new Star(s.x, s.y, s.big));
    }
    progress = new Progress();
    sceneryScene->add(progress);
    if (layout.extra == Extra::CLOUDS) sceneryScene->add(new Clouds());
    add(sceneryScene);
}

void LavaStones::buildStones(const LavaLevels::Level& layout) {
    stoneScene = DisplayScene::perspective(this);
    bool states[STONES];
    randomStates(states, drawLitCount(level));
    if (layout.extra == Extra::LAVA) stoneScene->add(new Lava());
    Component* holder = stoneScene;
    if (layout.ring) {
        ring = new Transform();
        ring->localMatrix.translate(Vector3(0, LavaLevels::RING_OFFSET_Y, 0));
        holder = ring;
    }
    for (int k = 0; k < STONES; k++) {
        const LavaLevels::StoneSpot& spot = layout.stones[k];
        float x, y;
        spotPosition(layout, k, &x, &y);
        holder->add(new Stone(spot.id, states[k], x, y, LavaLevels::STONE_MESHES[spot.mesh], layout.kind));
    }
    if (ring) stoneScene->add(ring);
    stoneScene->add(new HiddenReset(layout.resetX, layout.resetY, layout.resetSize));
    add(stoneScene);
}

void LavaStones::randomStates(bool* states, int count) {
    // Beyond seven no free entry would be left and the visit would never end.
    count = std::min(count, STONES);
    for (int i = 0; i < STONES; i++) states[i] = false;
    int set = 0;
    for (int i = 0;; i = (i + 1) % STONES) {
        if (states[i]) continue;
        if (rand() % 100 < 11) {
            states[i] = true;
            if (++set >= count) return;
        }
    }
}

int LavaStones::drawLitCount(int level) {
    const LavaLevels::LitAtStart& lit = levelTable(level).litAtStart;
    if (lit.choices == 1) return lit.counts[0];
    return lit.counts[rand() % lit.choices];
}

int LavaStones::switchedIds(int level, int id, int ids[4]) {
    const LavaLevels::Switching& switching = levelTable(level).switching;
    for (int k = 0; k < switching.count; k++) ids[k] = (id + switching.offsets[k] + STONES) % STONES;
    return switching.count;
}

const LavaLevels::Level& LavaStones::levelTable(int level) {
    if (level < 1 || level > LavaLevels::LEVELS) fail("Lava stones level %d does not exist", level);
    return LavaLevels::LEVEL_TABLE[level - 1];
}

Event* LavaStones::onEvent(Event* e) {
    if (isEvent(e, Events::UPDATE)) {
        drawFrame(frameTime(e));
    } else if (isEvent(e, Events::MOUSE_UP)) {
        if (click()) return e;
    } else if (isEvent(e, Events::NOVA) && e->source == novaTimer) {
        if (solved) fireVolley();
    }
    return Display::onEvent(e);
}

void LavaStones::drawFrame(float dt) {
    clearFrame();
    if (ring) ring->localMatrix.rotate(Vector3(0, 0, 1), RING_DEGREES_PER_SECOND * dt);
    drawPasses(this, PASSES);
}

bool LavaStones::click() {
    Window* window = app->window;
    Collider* hit = pickCollider(window, stoneScene, window->mouseDownPosition);
    if (hit == nullptr) return false;
    if (solved) {
        if (findAncestor<HiddenReset>(hit) != nullptr) newGame();
        return false;
    }
    Stone* stone = findAncestor<Stone>(hit);
    if (stone == nullptr) return false;
    switchFrom(stone->id);
    return true;
}

void LavaStones::switchFrom(int id) {
    int ids[4];
    int count = switchedIds(level, id, ids);
    for (int k = 0; k < count; k++) stoneScene->sendBroadcast(Events::SWITCH, this, &ids[k]);
    solved = true;
    stoneScene->sendBroadcast(Events::TEST_SUCCESS, this, &solved);
    if (solved) {
        stoneScene->sendBroadcast(Events::WIN, this, nullptr);
        novaTimer->start(0);
        playSound("victory.wav");
        sceneryScene->add(new Flash());
    }
    progress->moves = std::min(progress->moves + 1, Progress::MAX_MOVES);
    progress->refresh();
}

void LavaStones::newGame() {
    solved = false;
    bool states[STONES];
    randomStates(states, drawLitCount(level));
    stoneScene->sendBroadcast(Events::RESET_STATES, this, states);
    progress->moves = 0;
    progress->refresh();
}

void LavaStones::fireVolley() {
    for (int k = 0; k < NOVAS_PER_VOLLEY; k++) {
        int id = rand() % 70 / 10;
        stoneScene->sendBroadcast(Events::NOVA, this, &id);
    }
}
