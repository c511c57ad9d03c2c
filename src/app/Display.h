// Display: one full-window screen of the game (gallery, teasers, exit screen). The base class
// keeps the letter-boxed viewport at the game's aspect ratio, turns Alt+Return into a
// fullscreen request and Escape into a fade back to the gallery, and passes every event on
// to the shared fade layer, which draws last.
#pragma once

#include "core/Component.h"
#include "math/Rect.h"

class Application;

class Display : public Component {
public:
    // The design aspect ratio, 854 / 480 rounded to float.
    static constexpr float ASPECT = 1.7791667f;
    // The overlay canvas of every 2D layer: an orthographic space of 911 x 512 units, (0, 0)
    // at the top left, y downwards, whose aspect (1.7793) is close enough to ASPECT to fill
    // the letter box. Pictures are placed by their centre (app/Overlay.h).
    static constexpr int OVERLAY_WIDTH = 911;
    static constexpr int OVERLAY_HEIGHT = 512;
    static constexpr float OVERLAY_CENTER_X = 456;
    static constexpr float OVERLAY_CENTER_Y = 256;

    Rect viewport;     // letter-boxed area of the window; zero until the first "update" or "resize"
    Application* app;  // not owned

    explicit Display(Application* app);

    // "update"/"resize": recompute viewport; "keydown": Alt+Return requests the fullscreen
    // toggle (key repeats ignored); "escape" fades to the gallery; every event then goes to
    // the shared layer. Returns e.
    Event* onEvent(Event* e) override;

    // Fades back to the application's gallery (ignored while a fade runs).
    void toGallery();

    // The start of a frame: the whole window black, the depth buffer cleared (depth writes
    // switched on for it, whatever the last pass left).
    void clearFrame();

    // The largest area of aspect ASPECT centred in a windowWidth x windowHeight window.
    // Computed in double precision with ASPECT taken as its float value. Never gives a side
    // of 0: a window without area (either side 0 or less) leaves `current` as it is, and a
    // sliver of a window gets at least one pixel each way.
    static Rect letterbox(int windowWidth, int windowHeight, Rect current);
};
