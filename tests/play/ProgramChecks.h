// The opening and ending checks of the real-program play tests (support/ProgramPlay.h).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "play/GalleryBackdrop.h"
#include "support/ProgramPlay.h"

// Its X server is up, the program has shown its first frame and waits there, and its 854 x
// 480 window is on the screen.
inline testing::AssertionResult opened(ProgramPlay& game) {
    if (!game.screen.up()) return testing::AssertionFailure() << game.screen.problem;
    if (!game.runTo(1) || !game.waitForWindow(30) || !game.waitForSize(854, 480, 30))
        return testing::AssertionFailure() << game.log();
    return testing::AssertionSuccess();
}

// The program ended by itself with status 0.
inline testing::AssertionResult endedCleanly(ProgramPlay& game) {
    if (!game.waitForExit(15)) return testing::AssertionFailure() << "still running\n" << game.log();
    if (game.exitStatus() != 0)
        return testing::AssertionFailure() << "status " << game.exitStatus() << "\n" << game.log();
    return testing::AssertionSuccess();
}

// The screenshot shows the gallery with no fade over it: its sky and its moon at the top left
// are the backdrop's. (The moon, bright, shows a fade that the dark sky hides.)
inline testing::AssertionResult showsGallery(const Screenshot& shot) {
    const double sky = differenceFromBackdrop(shot, 20, 20, 200, 60);
    const double moon = differenceFromBackdrop(shot, 120, 88, 170, 136);
    if (sky < 6 && moon < 6) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "no gallery (sky " << sky << ", moon " << moon << "); see " << shot.file;
}

// Test names for the programs, for tests run once per program.
inline std::string programTestName(const testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    for (char& c : name) c = c == '-' ? '_' : c;
    return name;
}
