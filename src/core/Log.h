// log: the program's one printf-style diagnostic; the caller supplies the newline.
// The shader build writes to the SDL log at information priority, the fixed-function build
// to standard output.
#pragma once

#include <cmath>  // keeps the math library's log(double) visible beside this overload

void log(const char* format, ...) __attribute__((format(printf, 1, 2)));
