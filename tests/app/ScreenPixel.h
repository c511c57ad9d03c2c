// Reads back what the X server shows in the current GL drawable: the front of the window as
// a user would see it, which is where a buffer swap puts a frame.
#pragma once

#include <array>
#include <cstdint>

// R, G, B of the shown pixel at (x, y), y downwards from the window's top; all -1 when the
// drawable cannot be read.
std::array<int, 3> shownPixel(int x, int y);
