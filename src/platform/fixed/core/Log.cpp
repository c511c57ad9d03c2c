// log for the fixed-function build: standard output.
#include "core/Log.h"

#include <cstdarg>
#include <cstdio>

void log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vfprintf(stdout, format, args);
    va_end(args);
    // Standard output is block-buffered when redirected; a diagnostic that is still in the
    // buffer when the program dies is lost.
    fflush(stdout);
}
