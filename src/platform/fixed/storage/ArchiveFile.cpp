// Archive's file access for the fixed-function build, through standard I/O streams.
#include <cstdio>

#include "storage/Archive.h"

bool Archive::openRead(char const* path) {
    if (file || !path) return false;
    file = fopen(path, "rb");
    return file != nullptr;
}

bool Archive::openWrite(char const* path) {
    if (file || !path) return false;
    file = fopen(path, "wb");
    return file != nullptr;
}

long Archive::read(void* target, long size, long count) {
    if (!file || size < 1 || count < 1) return 0;
    return static_cast<long>(fread(target, static_cast<size_t>(size), static_cast<size_t>(count), file));
}

long Archive::write(void const* source, long size, long count) {
    if (!file || size < 1 || count < 1) return 0;
    return static_cast<long>(fwrite(source, static_cast<size_t>(size), static_cast<size_t>(count), file));
}

bool Archive::seekEnd(long offset) { return file && fseek(file, offset, SEEK_END) == 0; }

bool Archive::seekSet(long offset) { return file && fseek(file, offset, SEEK_SET) == 0; }

long Archive::tell() { return file ? ftell(file) : -1; }

bool Archive::close() {
    if (!file) return true;
    bool closed = fclose(file) == 0;
    file = nullptr;
    return closed;
}
