# The shader build's own sources (SDL2, GLEW, OpenGL 2.0), one per line.
quandrels_shader_sources(
  platform/shader/Log.cpp
  platform/shader/Window.cpp
  platform/shader/GLBuffer.cpp
  platform/shader/ShaderProgram.cpp
  platform/shader/ArchiveFile.cpp
  platform/shader/Material.cpp
)
