// The window's icon as today's task bars read it, for SDL 1.2: SDL_WM_SetIcon gives the X
// window only the old WM_HINTS bitmap and mask, so the picture's pixels also go into the
// window's _NET_WM_ICON property. Apart from Window.cpp, since Xlib's names clash with ours.
#pragma once

struct SDL_Surface;

// Sets _NET_WM_ICON of SDL's top-level window to the picture. Call it after the video mode
// is set, which makes that window anew. Does nothing when SDL does not run on X.
void setNetWmIcon(SDL_Surface* picture);
