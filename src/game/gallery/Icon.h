// Icon: a teaser's picture on the gallery's carousel. The gallery moves it along the path
// every frame; a click starts its press timer, which sinks the icon away from the viewer
// and back, and whose end ("enterTeaser") leads into the teaser. Its own plane collider
// lets it be picked.
#pragma once

#include "scene/MeshRenderer.h"

class Display;
class Timer;

class Icon : public MeshRenderer {
public:
    // The icon stands this far in front of the viewer, along -z, when it is not pressed.
    static constexpr float REST_DEPTH = -7.0f;
    // How far a click sinks it, within the first half of the press.
    static constexpr float PRESS_DEPTH = -1.5f;
    // A press lasts this long: the icon sinks and comes back, then leads into its teaser.
    static constexpr float PRESS_SECONDS = 0.25f;
    // The picture is twice as wide as it is high.
    static constexpr float HEIGHT_SCALE = 0.5f;

    Display* display;          // the teaser a click leads to; null for an icon without one. Not owned
    int difficulty;            // 0, 1 or 2 for a teaser, -1 for none
    Timer* pressTimer;         // a child: 0.25 s, points 0, 0.125, 0.25, timeout "enterTeaser"
    float depth = REST_DEPTH;  // z offset along the path

    Icon(Display* display, const char* texture, int difficulty);

    // The renderer's handling; then on "update" the depth follows the press timer.
    Event* onEvent(Event* e) override;

    // The depth at the press timer's current point: REST_DEPTH at rest, PRESS_DEPTH below
    // it at the middle of a press.
    static float depthOf(Timer* pressTimer);
};
