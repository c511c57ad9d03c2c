// The seven teasers as a real program shows them, told apart by their backdrops (the pictures
// the game's level tables name), each with the display step that builds it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/DisplayTable.h"
#include "support/Screenshot.h"

struct TeaserScreen {
    const DisplayStep* step;  // the step of DISPLAY_STEPS that builds it
    std::string name;         // for screenshots: "lava1", "runes2", ...
    std::string backdrop;     // the picture it draws behind everything, in build/data
};

// Every teaser, in the order the game builds them.
const std::vector<TeaserScreen>& teaserScreens();

// The teaser whose backdrop the screenshot is nearest to, the difference from it and from the
// next nearest one (mean per channel, 0 to 255).
const TeaserScreen& nearestTeaser(const Screenshot& shot, double* difference, double* nextDifference);

// The screenshot shows the teaser, clearly nearer its own backdrop than any other; says what
// it saw otherwise.
testing::AssertionResult showsTeaser(const Screenshot& shot, const TeaserScreen& teaser);
