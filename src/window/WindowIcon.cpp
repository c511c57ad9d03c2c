#include "window/WindowIcon.h"

#include <SDL.h>
#include <SDL_image.h>

#include "core/Buffer.h"
#include "core/Log.h"

SDL_Surface* decodeWindowIcon(const Buffer* png) {
    if (!png || !png->data || png->size <= 0) return nullptr;
    SDL_RWops* stream = SDL_RWFromMem(png->data, png->size);
    SDL_Surface* picture = stream ? IMG_LoadPNG_RW(stream) : nullptr;
    if (stream) SDL_FreeRW(stream);
    if (!picture) log("The window icon does not decode: %s\n", SDL_GetError());
    return picture;
}
