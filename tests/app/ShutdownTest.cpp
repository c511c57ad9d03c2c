// The application's shutdown on a real window: displays first (the shown one unlinked so the
// window does not delete it too), then the fade layer, the registry, the audio player and
// the window; everything exactly once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Display.h"
#include "app/SharedLayer.h"
#include "audio/AudioPlayer.h"
#include "game/Quandrels.h"
#include "resources/Resources.h"
#include "support/LogCapture.h"
#include "support/RecordingComponent.h"
#include "window/Window.h"

namespace {

using Strings = std::vector<std::string>;

class CountedDisplay : public Display {
public:
    CountedDisplay(Quandrels* app, EventLog* log, std::string label) : Display(app), log(log), label(label) {}
    ~CountedDisplay() override { log->destroyed.push_back(label); }
    EventLog* log;
    std::string label;
};

class CountedLayer : public SharedLayer {
public:
    CountedLayer(Quandrels* app, EventLog* log) : SharedLayer(app), log(log) {}
    ~CountedLayer() override { log->destroyed.push_back("layer"); }
    EventLog* log;
};

TEST(ShutdownTest, DeletesDisplaysThenTheLayerThenReleasesAndClosesOnce) {
    EventLog log;
    Quandrels app;
    captureLog([] { AudioPlayer::init(); });
    Resources::init();
    captureLog([&] { app.createWindow(); });
    auto* gallery = new CountedDisplay(&app, &log, "gallery");
    auto* teaser = new CountedDisplay(&app, &log, "teaser");
    app.displays.add(gallery);
    app.displays.add(nullptr);  // a slot whose display was never built
    app.displays.add(teaser);
    app.gallery = gallery;
    app.sharedLayer = new CountedLayer(&app, &log);
    app.window->setDisplay(teaser);

    captureLog([&] { app.shutdown(); });
    EXPECT_EQ(log.destroyed, (Strings{"gallery", "teaser", "layer"}));
    EXPECT_EQ(app.window, nullptr);
    EXPECT_EQ(app.sharedLayer, nullptr);
    EXPECT_EQ(app.gallery, nullptr);
    EXPECT_EQ(app.displays.size(), 0);
    EXPECT_EQ(Resources::resources.size(), 0);
    EXPECT_FALSE(AudioPlayer::isActive);

    // Nothing is left to delete a second time.
    captureLog([&] { app.shutdown(); });
    EXPECT_EQ(log.destroyed.size(), 3u);
}

}  // namespace
