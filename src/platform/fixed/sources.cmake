# The fixed-function build's own sources (SDL 1.2, OpenGL 1.x), one per line.
quandrels_fixed_sources(
  platform/fixed/Log.cpp
  platform/fixed/Window.cpp
  platform/fixed/GLBuffer.cpp
  platform/fixed/ShaderProgram.cpp
  platform/fixed/ArchiveFile.cpp
  platform/fixed/Material.cpp
)
