// The application object without a screen: a window that cannot open ends start() through
// the normal shutdown, and the shutdown deletes everything once, in its order.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/Display.h"
#include "app/Quandrels.h"
#include "app/Window.h"
#include "support/LogCapture.h"
#include "support/RecordingComponent.h"

namespace {

using Strings = std::vector<std::string>;

class CountedDisplay : public Display {
public:
    CountedDisplay(Quandrels* app, EventLog* log, std::string label) : Display(app), log(log), label(label) {}
    ~CountedDisplay() override { log->destroyed.push_back(label); }
    EventLog* log;
    std::string label;
};

TEST(QuandrelsTest, StartWithoutVideoLogsTheFailureAndShutsDown) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    Quandrels app;
    std::string log = captureLog([&] { app.start(); });
    unsetenv("SDL_VIDEODRIVER");
    EXPECT_NE(log.find("Unable to initialize SDL: "), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - std::string("SDL init fail\n").size()), "SDL init fail\n") << log;
    EXPECT_EQ(app.window, nullptr);
    EXPECT_EQ(app.displays.size(), 0);
}

TEST(QuandrelsTest, ShutdownDeletesDisplaysThenTheLayerThenTheWindowOnce) {
    EventLog log;
    Quandrels app;
    app.window = new Window(Window::Detached{}, 854, 480);
    auto* gallery = new CountedDisplay(&app, &log, "gallery");
    auto* teaser = new CountedDisplay(&app, &log, "teaser");
    app.displays.add(gallery);
    app.displays.add(nullptr);  // a slot whose display was never built
    app.displays.add(teaser);
    app.gallery = gallery;
    app.sharedLayer = new RecordingComponent(&log, "layer");
    app.window->setDisplay(teaser);

    app.shutdown();
    EXPECT_EQ(log.destroyed, (Strings{"gallery", "teaser", "layer"}));
    EXPECT_EQ(app.window, nullptr);
    EXPECT_EQ(app.sharedLayer, nullptr);
    EXPECT_EQ(app.gallery, nullptr);
    EXPECT_EQ(app.displays.size(), 0);

    // Nothing is left to delete a second time.
    app.shutdown();
    EXPECT_EQ(log.destroyed.size(), 3u);
}

}  // namespace
