// ShaderProgram: the one owner of a linked GLSL program. Sources are compiled as GLSL 1.20
// with the GLSL ES precision qualifiers defined away, so shader text written for either
// dialect builds. The fixed-function build keeps only construction and destruction, both
// empty; the other operations exist in the shader build only.
#pragma once

#include "platform/GL.h"

class ShaderProgram {
public:
    // What buildShader returns when a shader does not compile.
    static constexpr GLuint INVALID_SHADER = 0xFFFFFFFFu;

    GLuint id = 0;

    // Compiles both shaders, links, and keeps only the program. Throws
    // "Cannot create shader program\n" when a source is null or fails to compile or link;
    // nothing it created is left behind then.
    ShaderProgram(const char* vertexSource, const char* fragmentSource);
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;
    ~ShaderProgram();

    // One compiled shader of `type` (GL_VERTEX_SHADER or GL_FRAGMENT_SHADER), or
    // INVALID_SHADER after logging the compiler's complaint.
    GLuint buildShader(unsigned int type, const char* source);
    // Throw "Could not bind attribute %s\n" / "Could not bind uniform %s\n" when the linked
    // program has no such active name.
    GLuint getAttribLocation(const char* name);
    GLuint getUniformLocation(const char* name);
};
