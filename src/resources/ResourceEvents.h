// The GPU object lifecycle: broadcast by the application on a fullscreen toggle and by the
// fade layer on a display switch, answered by everything that holds GL objects or registry
// entries. No data. They are named here, below their senders, because the scene's renderers
// and colliders must answer them.
#pragma once

namespace Events {

inline constexpr const char RELEASE_RESOURCES[] = "releaseResources";  // the GL context goes
inline constexpr const char CREATE_RESOURCES[] = "createResources";    // a GL context is there

}  // namespace Events
