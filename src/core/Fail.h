// fail: throws a fatal message, formatted printf-style, as the engine's `const char*`
// exceptions are thrown. The text lives in one static area that the next fail() overwrites,
// so whoever catches it logs it at once (the application does). Lower layers that report
// by results (Buffer, File, Archive) never call it.
#pragma once

[[noreturn]] void fail(const char* format, ...) __attribute__((format(printf, 1, 2)));
