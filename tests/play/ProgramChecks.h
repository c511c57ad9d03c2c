// The opening and ending checks of the real-program play tests (support/ProgramPlay.h).
#pragma once

#include <gtest/gtest.h>

#include "support/ProgramPlay.h"

// Its X server is up and the program's 854 x 480 window is on it.
inline testing::AssertionResult opened(ProgramPlay& game) {
    if (!game.screen.up()) return testing::AssertionFailure() << game.screen.problem;
    if (!game.waitForWindow(30) || !game.waitForSize(854, 480, 30))
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
