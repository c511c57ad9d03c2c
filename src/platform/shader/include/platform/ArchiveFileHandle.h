// The pack file handle of the shader build: an SDL2 stream from SDL_RWFromFile.
#pragma once

struct SDL_RWops;

using ArchiveFileHandle = SDL_RWops*;
