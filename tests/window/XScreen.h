// Asks the X server what a user would see: the screen's size, and the pixels shown in the
// current GL drawable, which is where a buffer swap puts a frame.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Asks the X server to keep the current GL drawable's contents while other windows cover it
// (backing store), so that shownPixel reads what was drawn even when tests run side by side.
void keepContentsWhenCovered();

// R, G, B of the shown pixel at (x, y), y downwards from the window's top; all -1 when the
// drawable cannot be read.
std::array<int, 3> shownPixel(int x, int y);

// Puts the X pointer in the screen's bottom-right corner, where no test window lies, so that
// windows opening and closing around it send no pointer crossings into a test's window.
void movePointerAway();

// Width and height of the default screen of $DISPLAY; 0 x 0 when there is no X server.
std::array<int, 2> screenSize();

// The top-level window that process `pid` put on the screen (found by its _NET_WM_PID and
// the WM_DELETE_WINDOW protocol it accepts), or 0 while there is none.
unsigned long windowOfProcess(int pid);

// Asks a window to close as a window manager does when its close button is pressed
// (a WM_DELETE_WINDOW message). False when the message could not be sent.
bool requestClose(unsigned long window);

// The pixels a window shows, as rows of R, G, B bytes from the top; empty when it cannot be
// read. The window is raised and asked to keep its contents first, so that windows of other
// tests do not cover what is read.
std::vector<unsigned char> windowImage(unsigned long window, int* width, int* height);
