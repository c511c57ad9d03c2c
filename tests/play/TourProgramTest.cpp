// The whole game toured in each real program as a player tours it, through the X server, on
// the frame clock: the carousel comes to rest where the game's rules put it, and each of the
// seven teasers is entered by a click on its icon where it stands (the press sounds), seen by
// its backdrop and left by Escape back to the gallery. Escape from the last teaser, with
// Alt+Return in the middle of the fade back: the fade ends on the gallery in full screen at
// the screen's size, where Alt+Return brings the 854 x 480 window back with the carousel where
// it stood. Then the empty icon, whose click shows the text band at the top for a while; a
// drag that spins the carousel elsewhere; Escape to the exit screen, and a click there ends
// the program with status 0. Screenshots: build/screenshots/tour-<program>-<display>.png.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "game/gallery/CheckText.h"
#include "play/ExitPicture.h"
#include "play/GalleryBackdrop.h"
#include "play/GalleryView.h"
#include "play/ProgramChecks.h"
#include "play/TeaserScreens.h"
#include "support/ProgramPlay.h"
#include "support/SoundMatch.h"

namespace {

// The text band at the top of the gallery, in the overlay space.
double topBandDifference(const Screenshot& shot) { return differenceFromBackdrop(shot, 220, 20, 692, 44); }

// The carousel's part of the screen, between the sky and the dots.
double carouselDifference(const Screenshot& a, const Screenshot& b) {
    return differenceBetweenShots(a, b, 8, 100, 903, 380);
}

void clickIcon(ProgramPlay& game, float turn, int icon) {
    std::array<double, 2> at{};
    ASSERT_TRUE(gallery_view::clickPoint(turn, icon, &at)) << "icon " << icon << " cannot be clicked";
    game.click(at[0], at[1]);
}

class TourProgramTest : public testing::TestWithParam<const char*> {};

TEST_P(TourProgramTest, EveryTeaserFromTheGalleryAndBackThenTheEmptyIconsTextAndOut) {
    const std::string program = GetParam();
    const std::string shot = "tour-" + program + "-";
    ProgramPlay game(program);
    ASSERT_TRUE(opened(game));
    ASSERT_TRUE(game.runTo(gallery_view::REST_FRAME)) << game.log();
    const float turn = gallery_view::restingTurn();
    const Screenshot rest = game.screenshot(shot + "gallery");
    ASSERT_TRUE(showsGallery(rest));

    for (const TeaserScreen& teaser : teaserScreens()) {
        SCOPED_TRACE(teaser.name);
        const size_t before = game.soundBytes();
        clickIcon(game, turn, gallery_view::iconOf(*teaser.step));
        ASSERT_TRUE(game.runFrames(gallery_view::framesToEnterTeaser())) << game.log();
        ASSERT_TRUE(showsTeaser(game.screenshot(shot + teaser.name), teaser));
        EXPECT_TRUE(game.waitFor([&] { return soundPlayedSince(game.soundFile(), "pau.wav", before); }, 10))
            << "the press is not heard";
        if (&teaser == &teaserScreens().back()) break;
        game.key("Escape");
        ASSERT_TRUE(game.runFrames(gallery_view::framesToLeaveTeaser())) << game.log();
        ASSERT_TRUE(showsGallery(game.screenshot("")));
    }

    // Alt+Return while the last teaser fades out: the fade goes on in full screen and ends on
    // the gallery there.
    game.key("Escape");
    ASSERT_TRUE(game.runFrames(gallery_view::framesToLeaveTeaser() / 3));
    game.key("alt+Return");
    ASSERT_TRUE(game.runUntil([&] { return game.fullScreen(); }, 500)) << game.log();
    ASSERT_TRUE(game.runFrames(gallery_view::framesToLeaveTeaser())) << game.log();
    Screenshot full = game.screenshot(shot + "gallery-fullscreen");
    EXPECT_EQ(full.width, PrivateScreen::WIDTH);
    EXPECT_TRUE(showsGallery(full));
    game.key("alt+Return");
    ASSERT_TRUE(game.runUntil([&] { return game.hasSize(854, 480); }, 500)) << game.log();
    ASSERT_TRUE(game.runFrames(2));
    Screenshot back = game.screenshot(shot + "gallery-windowed");
    EXPECT_TRUE(showsGallery(back));
    EXPECT_LT(carouselDifference(back, rest), 3) << "the carousel moved; see " << back.file;

    // The empty icon leads nowhere: its click shows the band at the top, which fades out.
    ASSERT_LT(topBandDifference(back), 6) << "no text before the click";
    clickIcon(game, turn, gallery_view::emptyIcon());
    ASSERT_TRUE(game.runFrames(gallery_view::framesToEnterTeaser()));
    Screenshot text = game.screenshot(shot + "empty-icon");
    EXPECT_TRUE(showsGallery(text)) << "the empty icon led away";
    EXPECT_GT(topBandDifference(text), 25) << text.file;
    ASSERT_TRUE(game.runFrames(ProgramPlay::framesOf(CheckText::DURATION)));
    EXPECT_LT(topBandDifference(game.screenshot("")), 6) << "the text stays";

    // A drag across the window spins the carousel, which comes to rest elsewhere.
    game.press(0.25, 0.6);
    for (int step = 1; step <= 8; step++) {
        ASSERT_TRUE(game.runFrames(1));
        game.moveTo(0.25 + 0.06 * step, 0.6);
    }
    ASSERT_TRUE(game.runFrames(1));
    game.release(0.73, 0.6);
    ASSERT_TRUE(game.runFrames(gallery_view::REST_FRAME));
    Screenshot spun = game.screenshot(shot + "gallery-spun");
    EXPECT_TRUE(showsGallery(spun));
    EXPECT_GT(carouselDifference(spun, rest), 3) << "the carousel stands where it stood; see " << spun.file;

    game.key("Escape");
    ASSERT_TRUE(game.runFrames(2));
    Screenshot exit = game.screenshot(shot + "exit");
    EXPECT_LT(differenceFromExitPicture(exit), 12.0) << exit.file;
    game.click(0.5, 0.5);
    EXPECT_TRUE(endedCleanly(game));
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, TourProgramTest, testing::Values("quandrels", "quandrels-fixed"),
                         programTestName);

}  // namespace
