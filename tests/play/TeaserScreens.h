// The seven teasers as a real program shows them, told apart by their backdrops, and how a
// test waits for one of them: the gallery's icon that leads to it, the picture behind it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/ProgramPlay.h"
#include "support/Screenshot.h"

struct TeaserScreen {
    int icon;              // the gallery icon that leads to it (carousel::Steering's numbers)
    const char* name;      // for screenshots: "lava1", "runes2", ...
    const char* backdrop;  // the picture it draws behind everything, in build/data
};

inline constexpr TeaserScreen TEASER_SCREENS[] = {
    {1, "lava1", "stars.png"},
    {2, "lava4", "crystals.png"},
    {3, "lava2", "stars2.png"},
    {4, "lava3", "stars3.png"},
    {5, "runes1", "runesBackground1.png"},
    {6, "runes2", "runesBackground2.png"},
    {7, "runes3", "runesBackground3.png"},
};

const TeaserScreen& teaserOfIcon(int icon);

// The teaser whose backdrop the screenshot is nearest to, the difference from it and from the
// next nearest one (mean per channel, 0 to 255).
const TeaserScreen& nearestTeaser(const Screenshot& shot, double* difference, double* nextDifference);

// Waits up to `seconds` for the teaser to show, clearly nearer its own backdrop than any other,
// and for the fade into it to be over (two shots a tenth of a second apart alike); keeps the
// last shot as build/screenshots/<shot>.png. Says what it saw when it fails.
testing::AssertionResult teaserShows(ProgramPlay& game, const TeaserScreen& teaser, const std::string& shot,
                                     double seconds = 15);
