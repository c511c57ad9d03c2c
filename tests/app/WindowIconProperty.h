// What a window manager reads as a window's icon: the _NET_WM_ICON property of the program's
// top-level X window. Apart from the tests, since Xlib's names clash with the engine's.
#pragma once

#include <cstdint>
#include <vector>

// _NET_WM_ICON of the X window that SDL made for `platformWindow` (Window::platformWindow):
// width, height, then width * height ARGB pixels (further sizes may follow); empty when the
// window has none or SDL cannot name it.
std::vector<uint32_t> windowIconProperty(void* platformWindow);
