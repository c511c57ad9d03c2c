unit_test(
  scene/TransformTest.cpp
  scene/CameraTest.cpp
  scene/SceneRenderTest.cpp
  scene/PickingTest.cpp
  scene/MeshColliderTest.cpp
)
