// Rune: one tile of the runes teaser. It shows its symbol on its own schedule while the
// trial shows (fading, spinning at some stages), takes the player's answer at the cursor,
// judges it on "check", and scrolls its border picture all the time. It reads and writes
// phase, stage, cursor and the bar timers of the Runes display above it.
#pragma once

#include "render/TexcoordScroll.h"
#include "scene/Transform.h"
#include "window/Curve.h"

class Button;
class MeshRenderer;
class Runes;
class TextureResource;

class Rune : public Transform {
public:
    static constexpr int TYPES = 4;
    static constexpr float Z = -4;
    static constexpr float SCALE = 0.45f;
    // The rune's alpha while it shows, when all runes show at once: in within 1 s, out from
    // 6 to 7 s. Showing one after another keeps the alphas and moves the times (slotSchedule).
    static constexpr Curve<6> SHOWING_ALL_TOGETHER = {CurveReading::ONCE,
                                                      {{0, 0}, {0, 0}, {1, 1}, {6, 1}, {7, 0}, {7, 0}}};
    static constexpr int SHOW_POINTS = SHOWING_ALL_TOGETHER.KEYS;
    static constexpr float SHOW_TIME = SHOWING_ALL_TOGETHER.duration();

    int index;
    float x;
    float y;
    int type = 0;     // the symbol shown, 0 to 3
    int answer = -1;  // the symbol the player gave, -1 for none; kept from trial to trial
    TextureResource* symbolTextures[TYPES];
    TextureResource* maskTextures[TYPES];
    MeshRenderer* symbol;  // its collider is the rune's clickable area
    MeshRenderer* mask;    // the symbol's shape, written to depth only
    MeshRenderer* border;  // behind the mask
    Button* point;         // shown while answering
    Timer* showTimer;
    Timer* spinTimer;
    Timer* pulseTimer;
    TexcoordScroll borderScroll;  // the border picture, one height every 5 s

    // Two draws of rand(), in this order: the border picture's shift, the spin's start.
    Rune(int index, float x, float y);

    Event* onEvent(Event* e) override;

    // The show timer's points when rune slot `slot` of `runeCount` shows in its own slot of
    // the first 6 s: in during the slot's first quarter, shown in the second, out in the
    // third; the points 0 and 5 stay 0 and 7.
    static void slotSchedule(int slot, int runeCount, float points[SHOW_POINTS]);
    // The rune's opacity while showing, from its show timer.
    static float showAlpha(Timer* showTimer);

private:
    void showType(int shown);
    void animate(Runes* runes);
    void scrollBorder(float dt);
    void placeUpright();
};
