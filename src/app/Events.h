// The engine's event names, with what each record carries. Game event names live with the
// game displays that use them.
#pragma once

namespace Events {

// Window, once per frame after all platform events; source is the window (read deltaTime).
inline constexpr const char UPDATE[] = "update";
// Window input broadcasts; positions, buttons and the key record are window fields.
inline constexpr const char MOUSE_MOVE[] = "mouseMove";
inline constexpr const char MOUSE_DOWN[] = "mouseDown";
inline constexpr const char RAW_MOUSE_UP[] = "_mouseUp";  // every release
inline constexpr const char MOUSE_UP[] = "mouseUp";       // a release that follows a press
inline constexpr const char KEYDOWN[] = "keydown";        // auto-repeat included
inline constexpr const char ESCAPE[] = "escape";          // right after "keydown" for Escape
inline constexpr const char RESIZE[] = "resize";          // new size in the window's viewport
// Window::setDisplay, before and after the current display changes.
inline constexpr const char LEAVE[] = "leave";
inline constexpr const char SHOW[] = "show";
// GPU objects are dropped / rebuilt (fullscreen toggle, display switch). No data.
inline constexpr const char RELEASE_RESOURCES[] = "releaseResources";
inline constexpr const char CREATE_RESOURCES[] = "createResources";
// Scene::render: the hook for light producers, then the draw pass (data: Matrix4x4*, the
// accumulated model matrix).
inline constexpr const char PREPARE_LIGHTS[] = "prepareLights";
inline constexpr const char RENDER[] = "render";
// Scene::raycast (data: RaycastEventData*, accumulated matrix and result record).
inline constexpr const char RAYCAST[] = "raycast";
// The shared layer's fade timer.
inline constexpr const char FADE_PHASE[] = "fadePhase";
inline constexpr const char FADE_TIMEOUT[] = "fadeTimeout";

}  // namespace Events
