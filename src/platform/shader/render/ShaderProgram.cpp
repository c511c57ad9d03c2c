// ShaderProgram, shader build: compiles and links GLSL through the OpenGL 2.0 entry points.
#include "render/ShaderProgram.h"

#include <cstdio>
#include <cstdlib>

#include "core/Log.h"
#include "render/GLObjectCount.h"

namespace {

// Prepended to every source: desktop GLSL 1.20, with the GLSL ES precision qualifiers
// turned into nothing.
const char* const VERSION_LINE = "#version 120\n";
const char* const PRECISION_MACROS = "#define lowp\n#define mediump\n#define highp\n";

}  // namespace

ShaderProgram::ShaderProgram(const char* vertexSource, const char* fragmentSource) {
    id = glCreateProgram();
    bool failed = false;
    GLuint vertex = INVALID_SHADER;
    GLuint fragment = INVALID_SHADER;
    if (vertexSource) vertex = buildShader(GL_VERTEX_SHADER, vertexSource);
    if (vertex == INVALID_SHADER) {
        failed = true;
    } else {
        glAttachShader(id, vertex);
        if (fragmentSource) fragment = buildShader(GL_FRAGMENT_SHADER, fragmentSource);
        if (fragment == INVALID_SHADER) {
            failed = true;
        } else {
            glAttachShader(id, fragment);
            glLinkProgram(id);
            if (!glIsProgram(id)) {
                log("Name %d is not a program\n", static_cast<int>(id));
                failed = true;
            } else {
                GLint linked = GL_FALSE;
                glGetProgramiv(id, GL_LINK_STATUS, &linked);
                if (!linked) {
                    GLint length = 0;
                    glGetProgramiv(id, GL_INFO_LOG_LENGTH, &length);
                    if (length > 0) {
                        char* text = static_cast<char*>(malloc(static_cast<size_t>(length)));
                        GLsizei written = 0;
                        if (text) {
                            glGetProgramInfoLog(id, length, &written, text);
                            if (written > 0) log("%s\n", text);
                            free(text);
                        }
                    }
                    failed = true;
                }
            }
        }
        // The linked program keeps its own copy of the code: the shader objects can go.
        glDetachShader(id, vertex);
        glDeleteShader(vertex);
        if (fragment != INVALID_SHADER) {
            glDetachShader(id, fragment);
            glDeleteShader(fragment);
        }
    }
    if (failed) {
        // The destructor does not run for a throwing constructor.
        glDeleteProgram(id);
        id = 0;
        throw "Cannot create shader program\n";
    }
    GLObjectCount::programs++;
}

ShaderProgram::~ShaderProgram() {
    glDeleteProgram(id);
    GLObjectCount::programs--;
}

GLuint ShaderProgram::buildShader(unsigned int type, const char* source) {
    GLuint shader = glCreateShader(type);
    const GLchar* parts[3] = {VERSION_LINE, PRECISION_MACROS, source};
    glShaderSource(shader, 3, parts, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) return shader;

    log("Unable to compile shader %d!\n", static_cast<int>(shader));
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    if (length > 0) {
        char* text = static_cast<char*>(malloc(static_cast<size_t>(length)));
        if (text) {
            GLsizei written = 0;
            glGetShaderInfoLog(shader, length, &written, text);
            log("Shader info log %d:\n%s\n", static_cast<int>(type), text);
            free(text);
        }
    }
    // Nobody else knows this name; keeping it would leak one shader per failure.
    glDeleteShader(shader);
    return INVALID_SHADER;
}

GLuint ShaderProgram::getAttribLocation(const char* name) {
    static char message[255];
    GLint location = glGetAttribLocation(id, name);
    if (location == -1) {
        snprintf(message, sizeof message, "Could not bind attribute %s\n", name);
        throw message;
    }
    return static_cast<GLuint>(location);
}

GLuint ShaderProgram::getUniformLocation(const char* name) {
    static char message[255];
    GLint location = glGetUniformLocation(id, name);
    if (location == -1) {
        snprintf(message, sizeof message, "Could not bind uniform %s\n", name);
        throw message;
    }
    return static_cast<GLuint>(location);
}
