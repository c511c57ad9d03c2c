#include "DrawCount.h"

#include <SDL.h>
#include <dlfcn.h>

#include "platform/GL.h"

#ifndef GL_SAMPLES_PASSED
#define GL_SAMPLES_PASSED 0x8914
#endif
#ifndef GL_QUERY_RESULT
#define GL_QUERY_RESULT 0x8866
#endif

namespace {

long draws = 0;
bool counting = false;
long long written = 0;

// The GL library's own function of that name (the next definition after this program's).
template <typename F>
F real(const char* name) {
    static_assert(sizeof(F) == sizeof(void*));
    void* symbol = dlsym(RTLD_NEXT, name);
    F function;
    __builtin_memcpy(&function, &symbol, sizeof function);
    return function;
}

// The occlusion-query functions (OpenGL 1.5) of the current context, reached the same way
// in both builds; they are looked up at each use, since a full-screen toggle makes a new
// context.
template <typename F>
F glFunction(const char* name) {
    void* symbol = SDL_GL_GetProcAddress(name);
    F function;
    __builtin_memcpy(&function, &symbol, sizeof function);
    return function;
}

GLuint query = 0;

void beginCounting() {
    if (!counting) return;
    glFunction<void (*)(GLsizei, GLuint*)>("glGenQueries")(1, &query);
    glFunction<void (*)(GLenum, GLuint)>("glBeginQuery")(GL_SAMPLES_PASSED, query);
}

void endCounting() {
    if (!counting || query == 0) return;
    glFunction<void (*)(GLenum)>("glEndQuery")(GL_SAMPLES_PASSED);
    GLuint samples = 0;
    glFunction<void (*)(GLuint, GLenum, GLuint*)>("glGetQueryObjectuiv")(query, GL_QUERY_RESULT, &samples);
    glFunction<void (*)(GLsizei, const GLuint*)>("glDeleteQueries")(1, &query);
    query = 0;
    written += samples;
}

}  // namespace

long draw_count::total() { return draws; }

void draw_count::countFragments(bool on) { counting = on; }

long long draw_count::fragments() { return written; }

extern "C" {

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    static auto next = real<void (*)(GLenum, GLsizei, GLenum, const void*)>("glDrawElements");
    draws++;
    beginCounting();
    next(mode, count, type, indices);
    endCounting();
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    static auto next = real<void (*)(GLenum, GLint, GLsizei)>("glDrawArrays");
    draws++;
    beginCounting();
    next(mode, first, count);
    endCounting();
}

// A query cannot begin between glBegin and glEnd: it spans the whole batch.
void glBegin(GLenum mode) {
    static auto next = real<void (*)(GLenum)>("glBegin");
    draws++;
    beginCounting();
    next(mode);
}

void glEnd() {
    static auto next = real<void (*)()>("glEnd");
    next();
    endCounting();
}

}  // extern "C"
