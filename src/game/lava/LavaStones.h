// LavaStones: the display of the lava-stones teaser. Seven stones float before a starry or
// crystal backdrop; a click switches a stone and some of its neighbours, chosen by the stones'
// ids; the teaser is solved when all seven are lit. A win spins the stones, flashes the screen
// and fires novas; a hidden spot then starts a new game. A row at the bottom counts the clicks.
#pragma once

#include "app/Display.h"
#include "game/lava/LavaLevels.h"

class Progress;
class Scene;
class Timer;
class Transform;

class LavaStones : public Display {
public:
    static constexpr int STONES = 7;
    static constexpr float RING_DEGREES_PER_SECOND = 2;
    // The win's novas: a volley of NOVAS_PER_VOLLEY bursts at each point the timer passes.
    static constexpr int NOVA_POINTS = 10;
    static constexpr float NOVA_TIMES[NOVA_POINTS] = {0.2f, 0.5f, 1.2f, 1.8f, 1.9f,
                                                      2.5f, 3.5f, 3.8f, 4.1f, 4.8f};
    static constexpr float NOVA_DURATION = 10;
    static constexpr int NOVAS_PER_VOLLEY = 3;

    Scene* sceneryScene;        // 911 x 512 overlay: backdrop, stars or glitters, clouds, progress, flash
    Scene* stoneScene;          // perspective: stones, ring, lava floor, hidden reset, novas
    Timer* novaTimer;           // started on a win
    Transform* ring = nullptr;  // carries the stones at level 3
    Progress* progress;
    int level;  // 1 to 4
    bool solved = false;

    // Builds level `level` (1 to 4; anything else throws). Draws the backdrop's twinkle starts,
    // the start position and each stone's axis from rand(), in that order.
    LavaStones(Application* app, int level);

    // "update" draws the frame; "mouseUp" clicks (consumed when it switched stones); "nova"
    // from the timer fires a volley while solved. Everything else, and whatever a click left
    // alone, goes on to the display base class.
    Event* onEvent(Event* e) override;

    // Fills states[0..6] with a start position: exactly `count` entries lit (at least 1, at
    // most 7), chosen by rand() % 100 < 11 while visiting the free entries cyclically.
    static void randomStates(bool* states, int count);
    // How many stones a new game of `level` starts with lit: its level's count, or one of its
    // counts drawn with one rand().
    static int drawLitCount(int level);
    // The ids a click on stone `id` switches at `level`, in their order; returns their number.
    static int switchedIds(int level, int id, int ids[4]);
    // The table row of `level` (1 to 4; anything else throws).
    static const LavaLevels::Level& levelTable(int level);

private:
    // The overlay: backdrop, its stars or glitters, the click row, the clouds of a cloudy level.
    void buildScenery(const LavaLevels::Level& layout);
    // The perspective scene: the lava floor, the stones in their start position (drawn), on
    // the ring of a level that has one, and the hidden reset.
    void buildStones(const LavaLevels::Level& layout);
    void drawFrame(float dt);
    // A click at the press position; true when it switched stones.
    bool click();
    void switchFrom(int id);
    void newGame();
    void fireVolley();
};
