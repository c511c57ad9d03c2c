// GLBuffer: the one owner of an OpenGL buffer object (vertex attributes or element indices).
// The fixed-function build keeps the interface but does nothing: its meshes draw from client
// memory.
#pragma once

#include "platform/GL.h"

class GLBuffer {
public:
    GLuint id = 0;
    GLenum target = 0;  // GL_ARRAY_BUFFER or GL_ELEMENT_ARRAY_BUFFER
    GLenum usage = 0;   // the hint given to glBufferData
    int size = 0;       // byte size of the data store as last specified; 0 before the first upload

    // Target GL_ARRAY_BUFFER and usage GL_STATIC_DRAW unless given.
    GLBuffer(int size, void* data);
    GLBuffer(int size, void* data, unsigned int target);
    GLBuffer(int size, void* data, unsigned int target, unsigned int usage);
    GLBuffer(const GLBuffer&) = delete;
    GLBuffer& operator=(const GLBuffer&) = delete;
    ~GLBuffer();

    void init(int size, void* data, unsigned int target, unsigned int usage);
    // Uploads new contents: the same byte size reuses the data store, another size
    // re-specifies it.
    void update(int size, void* data);
};
