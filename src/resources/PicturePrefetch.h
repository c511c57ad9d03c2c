// PicturePrefetch: pictures of the game's data read and decoded on a worker thread ahead of
// their use, while the main thread does other work (it makes the window and its GL context).
// Only the decoding happens there: the textures are made on the main thread, in the GL
// context, when the registry loads them (Resources::prefetchPictures).
#pragma once

#include "core/List.h"

struct SDL_Surface;

class PicturePrefetch {
public:
    // Starts the worker on these names (kept, not copied; a name given twice is read once).
    // Does nothing while a worker has pictures.
    static void start(const List<const char*>& names);

    // The decoded picture of `name`, handed over to the caller, waiting for the worker to
    // come to it; null when `name` is not among the names (or was taken already), or when
    // the worker could not read or decode it.
    static SDL_Surface* take(const char* name);

    // Waits for the worker and frees every picture nobody took.
    static void stop();
};
