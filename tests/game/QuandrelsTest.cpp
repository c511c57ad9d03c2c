// The application object without a screen: a window that cannot open ends start() through
// the normal shutdown (the shutdown order itself is tested on a real window in
// ShutdownTest).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "audio/AudioPlayer.h"
#include "game/Quandrels.h"
#include "resources/Resources.h"
#include "support/LogCapture.h"

namespace {

TEST(QuandrelsTest, StartWithoutVideoLogsTheFailureAndShutsDown) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    Quandrels app;
    std::string log = captureLog([&] { app.start(); });
    unsetenv("SDL_VIDEODRIVER");
    EXPECT_NE(log.find("Unable to initialize SDL: "), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - std::string("SDL init fail\n").size()), "SDL init fail\n") << log;
    EXPECT_EQ(app.window, nullptr);
    EXPECT_EQ(app.displays.size(), 0);
    // The registry and the audio player were started before the window and are released.
    EXPECT_STREQ(Resources::archive, "Quandrels.dat");
    EXPECT_EQ(Resources::resources.size(), 0);
    EXPECT_EQ(Resources::DEFAULT_MATERIAL, nullptr);
    EXPECT_FALSE(AudioPlayer::isActive);
    Resources::archive = "data.dat";
}

}  // namespace
