// Asks the X server what a user would see: the screen's size, and the pixels shown in the
// current GL drawable, which is where a buffer swap puts a frame.
#pragma once

#include <array>
#include <cstdint>

// R, G, B of the shown pixel at (x, y), y downwards from the window's top; all -1 when the
// drawable cannot be read.
std::array<int, 3> shownPixel(int x, int y);

// Width and height of the default screen of $DISPLAY; 0 x 0 when there is no X server.
std::array<int, 2> screenSize();
