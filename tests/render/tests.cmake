unit_test(
  render/VectorTest.cpp
  render/Matrix4x4Test.cpp
  render/Matrix3x3Test.cpp
)
