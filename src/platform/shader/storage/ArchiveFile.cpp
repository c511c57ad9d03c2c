// Archive's file access for the shader build, through SDL2's RWops streams.
#include <SDL.h>

#include "storage/Archive.h"

bool Archive::openRead(char const* path) {
    if (file || !path) return false;
    file = SDL_RWFromFile(path, "rb");
    return file != nullptr;
}

bool Archive::openWrite(char const* path) {
    if (file || !path) return false;
    file = SDL_RWFromFile(path, "wb");
    return file != nullptr;
}

long Archive::read(void* target, long size, long count) {
    if (!file || size < 1 || count < 1) return 0;
    return static_cast<long>(SDL_RWread(file, target, static_cast<size_t>(size), static_cast<size_t>(count)));
}

long Archive::write(void const* source, long size, long count) {
    if (!file || size < 1 || count < 1) return 0;
    return static_cast<long>(
        SDL_RWwrite(file, source, static_cast<size_t>(size), static_cast<size_t>(count)));
}

bool Archive::seekEnd(long offset) { return file && SDL_RWseek(file, offset, RW_SEEK_END) >= 0; }

bool Archive::seekSet(long offset) { return file && SDL_RWseek(file, offset, RW_SEEK_SET) >= 0; }

long Archive::tell() { return file ? static_cast<long>(SDL_RWseek(file, 0, RW_SEEK_CUR)) : -1; }

bool Archive::close() {
    if (!file) return true;
    bool closed = SDL_RWclose(file) == 0;
    file = nullptr;
    return closed;
}
