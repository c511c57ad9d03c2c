# render sources shared by both builds, one per line.
quandrels_sources(
  render/Texture.cpp
  render/Mesh.cpp
  render/ObjLoader.cpp
  render/TexcoordScroll.cpp
  render/DrawState.cpp
  render/GLObjectCount.cpp
)
