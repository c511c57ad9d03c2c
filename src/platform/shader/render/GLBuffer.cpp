// GLBuffer, shader build: an OpenGL 2.0 buffer object.
#include "render/GLBuffer.h"

#include "render/GLObjectCount.h"

GLBuffer::GLBuffer(int size, void* data) { init(size, data, GL_ARRAY_BUFFER, GL_STATIC_DRAW); }

GLBuffer::GLBuffer(int size, void* data, unsigned int target) { init(size, data, target, GL_STATIC_DRAW); }

GLBuffer::GLBuffer(int size, void* data, unsigned int target, unsigned int usage) {
    init(size, data, target, usage);
}

GLBuffer::~GLBuffer() {
    glDeleteBuffers(1, &id);
    GLObjectCount::buffers--;
}

void GLBuffer::init(int size, void* data, unsigned int target, unsigned int usage) {
    glGenBuffers(1, &id);
    GLObjectCount::buffers++;
    this->usage = usage;
    this->size = 0;
    this->target = target;
    update(size, data);
}

void GLBuffer::update(int size, void* data) {
    glBindBuffer(target, id);
    if (size == this->size) {
        glBufferSubData(target, 0, size, data);
    } else {
        glBufferData(target, size, data, usage);
    }
    this->size = size;
    glBindBuffer(target, 0);
}
