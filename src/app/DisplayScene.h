// DisplayScene: the two kinds of scene a display draws into its letter box. An overlay scene
// sees the 911 x 512 canvas through an orthographic camera (app/Overlay.h); a perspective
// scene sees the game's 3D pieces through the one camera all displays share. Each comes with
// its camera as child 0 and active, and the display's viewport as its own; the display adds
// the scene as its child where its order of children wants it.
#pragma once

class Display;
class Scene;

namespace DisplayScene {

// The perspective camera: at the origin, looking along -z with +y up.
inline constexpr float FIELD_OF_VIEW = 45.0f;  // vertical, degrees
inline constexpr float NEAR_PLANE = 0.1f;
inline constexpr float FAR_PLANE = 10.0f;

Scene* overlay(Display* display);
Scene* perspective(Display* display);

}  // namespace DisplayScene
