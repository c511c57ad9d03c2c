# math sources shared by both builds, one per line.
quandrels_sources(
  math/Matrix3x3.cpp
  math/Matrix4x4.cpp
  math/Vectors.cpp
)
