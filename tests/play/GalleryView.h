// Where a real program's gallery shows its icons at a frame of the 20 ms frame clock
// (support/ProgramPlay.h), worked out with the game's own rules and tables: the carousel's
// turn (Carousel), the path (CarouselPath), the icons' order (DISPLAY_STEPS), their size
// and depth (Icon) and the icons' camera (Gallery). A test clicks the icon it wants where it
// stands: no steering, no search.
//
// Icons are named by their child index in the icon scene, 1 to 8 (the camera is child 0), in
// the order the game adds them.
#pragma once

#include <array>
#include <vector>

#include "game/DisplayTable.h"

namespace gallery_view {

// Frames of the frame clock after which the carousel, left alone from the start, stands
// still to the last bit of its turn.
inline constexpr int REST_FRAME = 200;
// Frames from a click on an icon until its teaser is shown with no fade over it: the press,
// the fade, and a frame to spare. Escape from a teaser back to the gallery takes the fade.
int framesToEnterTeaser();
int framesToLeaveTeaser();

// The carousel's turn once it rests, after the gallery alone was shown from the program's
// first frame (which has no time behind it) with no input.
float restingTurn();

// The icon (child index) that leads to the display step `step` of DISPLAY_STEPS; 0 for a
// step without an icon.
int iconOf(const DisplayStep& step);
// The icon without a teaser.
int emptyIcon();
// Every icon's display step, by child index (index 0 unused).
const DisplayStep& stepOf(int icon);

// The icon standing in front at `turn` (the one whose difficulty the dots show); 0 when
// none is.
int frontIcon(float turn);

// A point of `icon` at `turn` that no icon nearer the viewer covers, in fractions of an 854 x
// 480 window (origin top left), as near its middle as can be; false when it has none on the
// visible part of the path.
bool clickPoint(float turn, int icon, std::array<double, 2>* point);

}  // namespace gallery_view
