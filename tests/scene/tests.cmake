unit_test(
  scene/TransformTest.cpp
)
