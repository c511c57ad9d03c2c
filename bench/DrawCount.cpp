#include "DrawCount.h"

#include <dlfcn.h>

#include "platform/GL.h"

namespace {

long draws = 0;

// The GL library's own function of that name (the next definition after this program's).
template <typename F>
F real(const char* name) {
    static_assert(sizeof(F) == sizeof(void*));
    void* symbol = dlsym(RTLD_NEXT, name);
    F function;
    __builtin_memcpy(&function, &symbol, sizeof function);
    return function;
}

}  // namespace

long draw_count::total() { return draws; }

extern "C" {

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    static auto next = real<void (*)(GLenum, GLsizei, GLenum, const void*)>("glDrawElements");
    draws++;
    next(mode, count, type, indices);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    static auto next = real<void (*)(GLenum, GLint, GLsizei)>("glDrawArrays");
    draws++;
    next(mode, first, count);
}

void glBegin(GLenum mode) {
    static auto next = real<void (*)(GLenum)>("glBegin");
    draws++;
    next(mode);
}

}  // extern "C"
