// GLBuffer, fixed-function build: meshes draw from client memory, so the buffer object is
// only a placeholder that keeps the shared mesh code alike in both builds.
#include "render/GLBuffer.h"

GLBuffer::GLBuffer(int, void*) {}

GLBuffer::GLBuffer(int, void*, unsigned int) {}

GLBuffer::GLBuffer(int, void*, unsigned int, unsigned int) {}

GLBuffer::~GLBuffer() {}

void GLBuffer::init(int, void*, unsigned int, unsigned int) {}

void GLBuffer::update(int, void*) {}
