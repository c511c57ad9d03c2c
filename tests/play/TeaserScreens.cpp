#include "play/TeaserScreens.h"

#include <chrono>
#include <cmath>
#include <sstream>
#include <thread>

#include "play/OverlayPicture.h"

namespace {

// A teaser's own backdrop differs from what it shows by its stones, runes and stars; the other
// backdrops differ by much more.
// Three quarters of the screen, where the backdrop shows best, are compared: the teaser's
// own backdrop then comes within 10 of it, the next nearest at least 7 further.
constexpr double MATCHED_SHARE = 0.75;
constexpr double NEAR_ENOUGH = 10;
constexpr double CLEAR_MARGIN = 4;
// Between two shots a tenth of a second apart a running fade changes the picture by a fifth
// of its brightness; after it only the teaser's own animation changes it.
constexpr double STILL = 1.5;

}  // namespace

const TeaserScreen& teaserOfIcon(int icon) {
    for (const TeaserScreen& t : TEASER_SCREENS) {
        if (t.icon == icon) return t;
    }
    return TEASER_SCREENS[0];
}

const TeaserScreen& nearestTeaser(const Screenshot& shot, double* difference, double* nextDifference) {
    const TeaserScreen* best = &TEASER_SCREENS[0];
    *difference = *nextDifference = 255;
    for (const TeaserScreen& t : TEASER_SCREENS) {
        double d = differenceFromOverlayPicture(shot, dataPicture(t.backdrop), 8, 8, 903, 504, MATCHED_SHARE);
        if (d < *difference) {
            *nextDifference = *difference;
            *difference = d;
            best = &t;
        } else if (d < *nextDifference) {
            *nextDifference = d;
        }
    }
    return *best;
}

testing::AssertionResult teaserShows(ProgramPlay& game, const TeaserScreen& teaser, const std::string& shot,
                                     double seconds) {
    Screenshot last;
    const TeaserScreen* seen = nullptr;
    double difference = 255, next = 255, previous = 255;
    bool shows = game.waitFor(
        [&] {
            last = game.screenshot("");
            seen = &nearestTeaser(last, &difference, &next);
            const bool still = std::fabs(difference - previous) < STILL;
            previous = difference;
            if (seen != &teaser || difference > NEAR_ENOUGH || next - difference < CLEAR_MARGIN) return false;
            if (still) return true;
            // The interval over which the fade is looked for, not a wait for a state.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return false;
        },
        seconds);
    last.save(shot);
    if (shows) return testing::AssertionSuccess();
    std::ostringstream what;
    what << "expected " << teaser.name << ", the screen is nearest " << (seen ? seen->name : "nothing")
         << " (" << difference << ", next " << next << "); see " << last.file << "\n"
         << game.log();
    return testing::AssertionFailure() << what.str();
}
