# render sources shared by both builds, one per line.
quandrels_sources(
  render/Vectors.cpp
  render/Matrix4x4.cpp
  render/Matrix3x3.cpp
  render/Texture.cpp
  render/Mesh.cpp
  render/ObjLoader.cpp
  render/DrawState.cpp
)
