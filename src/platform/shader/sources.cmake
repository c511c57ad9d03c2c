# The shader build's own sources (SDL2, GLEW, OpenGL 2.0), one per line, by the folder whose classes they implement.
quandrels_shader_sources(
  platform/shader/core/Log.cpp
  platform/shader/render/GLBuffer.cpp
  platform/shader/render/Material.cpp
  platform/shader/render/ShaderProgram.cpp
  platform/shader/storage/ArchiveFile.cpp
  platform/shader/window/Window.cpp
)
