// Asks the X server what a user would see: the screen's size, and the pixels shown in the
// current GL drawable, which is where a buffer swap puts a frame. Functions that take a
// `display` name ask that X server (":5"), or $DISPLAY's when it is null.
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

// Width and height of the current GL drawable as the X server has it (which may differ from
// what the program was told so far); 0 x 0 without one.
std::array<int, 2> drawableSize();

// The pixels the current GL drawable shows, as rows of R, G, B bytes from the top: where a
// buffer swap put the last frame. Sets the size read; empty without a drawable.
std::vector<unsigned char> drawableImage(int* width, int* height);

// Puts the X pointer in the screen's bottom-right corner, where no test window lies, so that
// windows opening and closing around it send no pointer crossings into a test's window.
void movePointerAway(const char* display = nullptr);

// Returns once the X server has taken every request sent to it before (by any client, such
// as xdotool's input) and written the events they made to the clients they are for.
void settleServer(const char* display = nullptr);

// Width and height of the default screen of $DISPLAY; 0 x 0 when there is no X server.
std::array<int, 2> screenSize(const char* display = nullptr);

// The top-level window that process `pid` put on the screen (found by its _NET_WM_PID and
// the WM_DELETE_WINDOW protocol it accepts), or 0 while there is none.
unsigned long windowOfProcess(int pid, const char* display = nullptr);

// Asks a window to close as a window manager does when its close button is pressed
// (a WM_DELETE_WINDOW message). False when the message could not be sent.
bool requestClose(unsigned long window, const char* display = nullptr);

// The pixels a window shows, as rows of R, G, B bytes from the top; empty when it cannot be
// read. The window is raised and asked to keep its contents first, so that windows of other
// tests do not cover what is read.
std::vector<unsigned char> windowImage(unsigned long window, int* width, int* height,
                                       const char* display = nullptr);

// Where a window lies on the screen: x, y of its top-left pixel from the screen's top left,
// width, height; all 0 when it cannot be asked (the window is gone).
std::array<int, 4> windowArea(unsigned long window, const char* display = nullptr);

// True when a window that no window manager manages (override-redirect) is shown over the
// whole screen: how SDL 1.2 shows full screen, leaving its managed window where it was. On
// a private screen only the program under test makes such a window.
bool unmanagedWindowFillsScreen(const char* display = nullptr);

// The pixels the screen shows in the rectangle x, y, w, h (clipped to the screen), as rows of
// R, G, B bytes from the top: whatever window lies there, as a user sees it. Sets the size
// read; empty when nothing could be read.
std::vector<unsigned char> screenImage(int x, int y, int w, int h, int* width, int* height,
                                       const char* display = nullptr);
