#include "play/TeaserScreens.h"

#include <sstream>

#include "game/lava/LavaLevels.h"
#include "game/runes/RunesLevels.h"
#include "play/DisplayPictures.h"
#include "play/OverlayPicture.h"

namespace {

// A teaser's own backdrop differs from what it shows by its stones, runes and stars; the other
// backdrops differ by much more.
// Three quarters of the screen, where the backdrop shows best, are compared: the teaser's
// own backdrop then comes within 10 of it, the next nearest at least 7 further.
constexpr double MATCHED_SHARE = 0.75;
constexpr double NEAR_ENOUGH = 10;
constexpr double CLEAR_MARGIN = 4;

const char* backdropOf(const DisplayStep& step) {
    if (step.created == DisplayKind::LAVA_STONES) return LavaLevels::LEVEL_TABLE[step.level - 1].backdrop;
    if (step.created == DisplayKind::RUNES) return RUNES_LEVELS[step.level - 1].backdrop;
    return nullptr;
}

}  // namespace

const std::vector<TeaserScreen>& teaserScreens() {
    static const std::vector<TeaserScreen> screens = [] {
        std::vector<TeaserScreen> all;
        for (const DisplayStep& step : DISPLAY_STEPS) {
            if (const char* backdrop = backdropOf(step))
                all.push_back({&step, display_pictures::displayName(step), backdrop});
        }
        return all;
    }();
    return screens;
}

const TeaserScreen& nearestTeaser(const Screenshot& shot, double* difference, double* nextDifference) {
    const TeaserScreen* best = &teaserScreens().front();
    *difference = *nextDifference = 255;
    for (const TeaserScreen& t : teaserScreens()) {
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

testing::AssertionResult showsTeaser(const Screenshot& shot, const TeaserScreen& teaser) {
    double difference = 255, next = 255;
    const TeaserScreen& seen = nearestTeaser(shot, &difference, &next);
    if (&seen == &teaser && difference <= NEAR_ENOUGH && next - difference >= CLEAR_MARGIN)
        return testing::AssertionSuccess();
    std::ostringstream what;
    what << "expected " << teaser.name << ", the screen is nearest " << seen.name << " (" << difference
         << ", next " << next << "); see " << shot.file;
    return testing::AssertionFailure() << what.str();
}
