// Rune: one tile of the runes teaser. It shows its symbol on its own schedule while the
// trial shows (fading, spinning at some stages), takes the player's answer at the cursor,
// judges it on "check", and scrolls its border picture all the time. It reads and writes
// phase, stage, cursor and the bar timers of the Runes display above it.
#pragma once

#include "scene/Transform.h"

class Button;
class MeshRenderer;
class Runes;
class TextureResource;
class Timer;

class Rune : public Transform {
public:
    static constexpr int TYPES = 4;
    static constexpr float Z = -4;
    static constexpr float SCALE = 0.45f;
    static constexpr float SHOW_TIME = 7;
    static constexpr int SHOW_POINTS = 6;
    // The show timer's points when all runes show at once: in within 1 s, out from 6 to 7 s.
    static constexpr float FULLVIEW_POINTS[SHOW_POINTS] = {0, 0, 1, 6, 7, 7};

    int index;
    float x;
    float y;
    int type = 0;     // the symbol shown, 0 to 3
    int answer = -1;  // the symbol the player gave, -1 for none; kept from trial to trial
    TextureResource* symbolTextures[TYPES];
    TextureResource* maskTextures[TYPES];
    MeshRenderer* symbol;  // layer 1; its collider is the rune's clickable area
    MeshRenderer* mask;    // layer 4: the symbol's shape, written to depth only
    MeshRenderer* border;  // layer 8, behind the mask
    Button* point;         // layer 2, shown while answering
    Timer* showTimer;
    Timer* spinTimer;
    Timer* pulseTimer;

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
