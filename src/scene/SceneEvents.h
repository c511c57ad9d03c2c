// The events of a scene pass, broadcast from the scene.
#pragma once

namespace Events {

// Scene::render: the hook for light producers (no data), then the draw pass (data:
// Matrix4x4*, the accumulated model matrix; every Transform passes on its own record).
inline constexpr const char PREPARE_LIGHTS[] = "prepareLights";
inline constexpr const char RENDER[] = "render";
// Scene::raycast (data: RaycastEventData*, accumulated matrix and result record).
inline constexpr const char RAYCAST[] = "raycast";

}  // namespace Events
