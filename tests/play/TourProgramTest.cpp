// The whole game toured in each real program as a player tours it, through the X server: from
// the gallery into each of the seven teasers in turn (the carousel spun by dragging until the
// teaser's icon stands in front, then a click on it), each seen by its backdrop and left by
// Escape back to the gallery; then the empty icon, whose click shows the text band at the
// top; Escape to the exit screen, and a click there ends the program with status 0.
// Screenshots: build/screenshots/tour-<program>-<display>.png.
#include <gtest/gtest.h>

#include <string>

#include "play/CarouselSteering.h"
#include "play/ExitPicture.h"
#include "play/GalleryBackdrop.h"
#include "play/ProgramChecks.h"
#include "play/TeaserScreens.h"
#include "support/ProgramPlay.h"

namespace {

// The text band at the top of the gallery, in the overlay space.
double topBandDifference(const Screenshot& shot) { return differenceFromBackdrop(shot, 220, 20, 692, 44); }

class TourProgramTest : public testing::TestWithParam<const char*> {};

TEST_P(TourProgramTest, EveryTeaserFromTheGalleryAndBackThenTheEmptyIconsTextAndOut) {
    const std::string program = GetParam();
    const std::string shot = "tour-" + program + "-";
    ProgramPlay game(program);
    ASSERT_TRUE(opened(game));
    carousel::Steering steering(game);
    ASSERT_TRUE(steering.findEmptyIcon()) << steering.trouble << "\n" << game.log();
    game.screenshot(shot + "gallery");

    // Forwards from the empty icon the teasers come in this order; the last one stands on
    // the empty icon's other side.
    for (int icon : {7, 6, 5, 4, 3, 2, 1}) {
        const TeaserScreen& teaser = teaserOfIcon(icon);
        SCOPED_TRACE(teaser.name);
        ASSERT_TRUE(steering.bringToFront(icon)) << steering.trouble << "\n" << game.log();
        steering.clickFront();
        ASSERT_TRUE(teaserShows(game, teaser, shot + teaser.name)) << steering.trace;
        ASSERT_TRUE(leaveTeaser(game));
        ASSERT_TRUE(galleryShows(game));
    }

    // The empty icon leads nowhere: its click shows the band at the top, which fades out.
    ASSERT_TRUE(steering.bringToFront(carousel::EMPTY_ICON)) << steering.trouble << "\n" << game.log();
    ASSERT_LT(topBandDifference(game.screenshot("")), 6) << "no text before the click";
    steering.clickFront();
    EXPECT_TRUE(game.waitFor([&] { return topBandDifference(game.screenshot("")) > 25; }, 5)) << game.log();
    Screenshot text = game.screenshot(shot + "empty-icon");
    EXPECT_GT(topBandDifference(text), 25) << text.file;
    EXPECT_TRUE(game.waitFor([&] { return topBandDifference(game.screenshot("")) < 6; }, 10))
        << "the text stays";
    EXPECT_TRUE(galleryShows(game)) << "the empty icon led away";

    game.key("Escape");
    EXPECT_TRUE(game.waitFor([&] { return differenceFromExitPicture(game.screenshot("")) < 12.0; }, 10))
        << game.log();
    game.screenshot(shot + "exit");
    game.click(0.5, 0.5);
    EXPECT_TRUE(endedCleanly(game));
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, TourProgramTest, testing::Values("quandrels", "quandrels-fixed"),
                         programTestName);

}  // namespace
