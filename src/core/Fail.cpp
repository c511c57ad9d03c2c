#include "core/Fail.h"

#include <cstdarg>
#include <cstdio>

namespace {
// Long enough for a message naming a path or two; longer texts are cut, never overrun.
char message[1024];
}  // namespace

void fail(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    throw static_cast<const char*>(message);
}
