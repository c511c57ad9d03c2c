# render sources shared by both builds, one per line.
quandrels_sources(
  render/Vectors.cpp
  render/Texture.cpp
)
