// Gallery: the display on which the player chooses a teaser, and the first one shown. The
// teasers' icons swirl along a path like a carousel that dragging spins; a click on an icon
// sinks it, plays a sound and, once its press is over, fades into its teaser. Three dots
// under the carousel show the difficulty of the icon in front; a band at the top answers
// a click on the icon without a teaser, one at the bottom names the full-screen key for
// the first seconds. Escape leads straight to the exit screen.
//
// Two scenes draw into the letter box: an overlay of 911 x 512 units (backdrop on layer 1;
// dots, flare and texts on layer 2) and the icons' perspective scene between its layers.
#pragma once

#include <cstdint>

#include "app/Display.h"
#include "app/Overlay.h"
#include "game/gallery/Carousel.h"
#include "game/gallery/CarouselPath.h"
#include "math/Color.h"

class CheckText;
class Icon;
class MeshRenderer;
class Scene;
class SoundResource;

class Gallery : public Display, public Carousel {
public:
    static constexpr int DOTS = 3;
    static constexpr uint32_t BACKDROP_LAYER = Overlay::BACKDROP_LAYER;
    static constexpr uint32_t FRONT_LAYER = Overlay::FRONT_LAYER;  // dots, flare and texts
    // A release closer than this to its press (in fractions of the window) is a click.
    static constexpr float CLICK_DISTANCE = 0.04f;
    static constexpr const char* PRESS_SOUND = "pau.wav";

    Scene* iconScene;     // a child; the application adds the icons after the camera
    Scene* overlayScene;  // a child, before the icon scene
    CheckText* checkText;
    MeshRenderer* difficultyDots[DOTS];  // left to right

    explicit Gallery(Application* app);

    // "update" turns, places and draws; "mouseMove" drags; "mouseUp" clicks; "enterTeaser"
    // fades to the pressed icon's teaser. Every event but "escape" then goes on to the
    // display base class; "escape" switches straight to the exit display.
    Event* onEvent(Event* e) override;

    // Whether a release at `up` after a press at `down` (fractions of the window) is a click.
    static bool isClick(Vector2 down, Vector2 up);
    // The three dots' colours for an icon of `difficulty` in front: green, yellow or red
    // for 0, 1, 2 (one, two or three dots lit), all clear for -1 and any other value.
    static const Color* dotColors(int difficulty);

private:
    CarouselPath path;
    SoundResource* pressSound;

    void buildOverlay();
    void buildIconScene();
    void update();
    void placeIcons();
    void click();
    void enterTeaser(Event* e);
    bool leavingForATeaser() const;
};
