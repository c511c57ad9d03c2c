// Every display of the whole game at a fixed moment, in this build: the real start-up with
// rand() as a fresh program has it, then each display in the order the game builds them,
// reached by the fade layer as a player reaches it and shown for FRAMES_SHOWN frames of the
// fixed 20 ms clock. The pictures go to build/screenshots/compare/ for the comparison of the
// two builds (BothBuildsPicturesTest), which runs after this test in both builds.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "play/DisplayPictures.h"
#include "scene/MeshRenderer.h"
#include "support/PlayedGame.h"

namespace {

#ifdef QUANDRELS_TEST_FIXED_BUILD
const std::string BUILD = "fixed";
#else
const std::string BUILD = "shader";
#endif

TEST(DisplayPictures, EveryDisplayAtTheSameMomentOfTheSameGame) {
    using namespace display_pictures;
    mkdir(screenshotFolder().c_str(), 0777);
    mkdir(folder().c_str(), 0777);
    const std::vector<std::string> names = displayNames();
    // No picture of an earlier run may stand in for one this run fails to take.
    for (const std::string& name : names) std::remove(picturePath(BUILD, name).c_str());
    // A program that never seeds rand() draws as after srand(1); the teasers draw as they are
    // built and the twinkling stars as they are drawn.
    srand(1);
    PlayedGame game;
    game.play([&](PlayedGame& g) {
        ASSERT_EQ(static_cast<size_t>(g.displays.size()), names.size());
        for (size_t i = 0; i < names.size(); i++) {
            Display* display = g.displays.get(static_cast<int>(i));
            if (g.window->display != display) {
                g.sharedLayer->fadeTo(display);
                ASSERT_TRUE(g.waitUntil([&] { return !g.sharedLayer->plane->visible; }, 100)) << names[i];
            }
            ASSERT_EQ(g.window->display, display) << names[i];
            g.frames(FRAMES_SHOWN);
            Screenshot shot = g.screenshot(pictureName(BUILD, names[i]));
            ASSERT_EQ(shot.width, 854) << names[i];
            EXPECT_FALSE(shot.black()) << shot.file;
        }
        g.escape();  // on the exit screen, the last display
        EXPECT_TRUE(g.waitForEnd(5));
    });
    EXPECT_TRUE(game.ended());
}

}  // namespace
