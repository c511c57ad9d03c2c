# scene sources shared by both builds, one per line.
quandrels_sources(
  scene/Transform.cpp
  scene/Camera.cpp
  scene/Scene.cpp
  scene/Renderer.cpp
  scene/MeshRenderer.cpp
  scene/TexturedPlane.cpp
  scene/ShownArea.cpp
  scene/Collider.cpp
  scene/MeshCollider.cpp
  scene/MeshEvents.cpp
  scene/Picking.cpp
)
