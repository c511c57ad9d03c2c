gl_test(
  render/GLBufferTest.cpp
  render/ShaderProgramTest.cpp
)
gl_test_both(
  render/TextureTest.cpp
)
