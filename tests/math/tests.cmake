unit_test(
  math/VectorTest.cpp
  math/Matrix4x4Test.cpp
  math/Matrix3x3Test.cpp
)
