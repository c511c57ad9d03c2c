// The gallery's carousel in a real program (support/ProgramPlay.h), seen on the screen: how
// far two shots of it are apart, and waiting until it stands still.
#pragma once

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/ProgramPlay.h"
#include "support/Screenshot.h"

// Mean difference per channel of two shots of the same size above the hint band at the
// bottom, which fades on its own for the first nine seconds; 255 when they cannot be compared.
inline double carouselDifference(const Screenshot& a, const Screenshot& b) {
    if (a.empty() || a.width != b.width || a.height != b.height) return 255;
    const size_t end = static_cast<size_t>(a.height * 85 / 100) * a.width * 3;
    double sum = 0;
    for (size_t i = 0; i < end; i++) sum += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
    return sum / end;
}

// The carousel stands still: two shots a third of a second apart show the same.
inline bool restsIn(ProgramPlay& game, Screenshot* shot) {
    return game.waitFor(
        [&] {
            Screenshot first = game.screenshot("");
            // The interval over which motion is looked for, not a wait for a state.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            *shot = game.screenshot("");
            return !shot->black() && carouselDifference(first, *shot) < 0.3;
        },
        30);
}
