// The events the window sends: input, the frame tick and display switches. All are
// broadcast from the window, which is their source; their data lives in window fields.
#pragma once

namespace Events {

// Once per frame after all platform events; handlers read deltaTime from the window.
inline constexpr const char UPDATE[] = "update";
// Pointer input; positions, buttons and motion are window fields.
inline constexpr const char MOUSE_MOVE[] = "mouseMove";
inline constexpr const char MOUSE_DOWN[] = "mouseDown";
inline constexpr const char RAW_MOUSE_UP[] = "_mouseUp";  // every release
inline constexpr const char MOUSE_UP[] = "mouseUp";       // a release that follows a press
// Keys; the key record is a window field.
inline constexpr const char KEYDOWN[] = "keydown";  // auto-repeat included
inline constexpr const char ESCAPE[] = "escape";    // right after "keydown" for Escape
inline constexpr const char RESIZE[] = "resize";    // new size in the window's viewport
// Window::setDisplay, before and after the current display changes.
inline constexpr const char LEAVE[] = "leave";
inline constexpr const char SHOW[] = "show";

}  // namespace Events
