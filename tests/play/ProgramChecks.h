// The opening and ending checks of the real-program play tests (support/ProgramPlay.h).
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "play/GalleryBackdrop.h"
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

// The gallery shows, with no fade over it: the moon at its top left is the backdrop's, alike
// in two shots a tenth of a second apart. (The moon, bright, shows the end of a fade that the
// dark sky hides.)
inline testing::AssertionResult galleryShows(ProgramPlay& game, const std::string& shot = "",
                                             double seconds = 15) {
    Screenshot last;
    double previous = 255, difference = 255;
    bool shows = game.waitFor(
        [&] {
            last = game.screenshot("");
            difference = differenceFromBackdrop(last, 120, 88, 170, 136);
            const bool still = std::fabs(difference - previous) < 1;
            previous = difference;
            if (difference < 6 && still) return true;
            // The interval over which the fade is looked for, not a wait for a state.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return false;
        },
        seconds);
    last.save(shot);
    if (shows) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no gallery (moon " << difference << "); see " << last.file << "\n"
                                       << game.log();
}

// Test names for the programs, for tests run once per program.
// Escape from a teaser back towards the gallery. The game ignores a fade asked for while
// another runs, so an Escape that lands in the last moments of the fade into the teaser is
// lost: Escape is pressed again until the screen darkens (the fade out has begun) or the
// gallery's moon is up (it has ended), never after either.
inline testing::AssertionResult leaveTeaser(ProgramPlay& game) {
    const double lit = game.screenshot("").mean(0, 0, 1, 1).brightness();
    for (int press = 0; press < 3; press++) {
        game.key("Escape");
        if (game.waitFor(
                [&] {
                    Screenshot shot = game.screenshot("");
                    return shot.mean(0, 0, 1, 1).brightness() < lit * 0.7 ||
                           differenceFromBackdrop(shot, 120, 88, 170, 136) < 6;
                },
                3))
            return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "Escape does not leave the teaser\n" << game.log();
}

inline std::string programTestName(const testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    for (char& c : name) c = c == '-' ? '_' : c;
    return name;
}
