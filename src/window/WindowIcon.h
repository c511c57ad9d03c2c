// The window's icon: the PNG bytes of the game's icon picture, decoded into the surface that
// the platform's icon call takes (the same decoder in both SDL generations).
#pragma once

struct SDL_Surface;
class Buffer;

// A new surface of the picture (the caller frees it), or null when there are no bytes or they
// do not decode; the reason is logged, and the window then opens without an icon.
SDL_Surface* decodeWindowIcon(const Buffer* png);
