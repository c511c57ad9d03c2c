# The fixed-function build's own sources (SDL 1.2, OpenGL 1.x), one per line, by the folder whose classes they implement.
quandrels_fixed_sources(
  platform/fixed/core/Log.cpp
  platform/fixed/render/GLBuffer.cpp
  platform/fixed/render/Material.cpp
  platform/fixed/render/ShaderProgram.cpp
  platform/fixed/storage/ArchiveFile.cpp
  platform/fixed/window/NetWmIcon.cpp
  platform/fixed/window/Window.cpp
)
