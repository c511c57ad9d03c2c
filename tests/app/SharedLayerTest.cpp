// The fade between displays, drawn for real: a second of darkening and clearing over the
// shown display, the switch at full black in its order, and requests during a fade ignored.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Display.h"
#include "app/SharedLayer.h"
#include "game/Quandrels.h"
#include "platform/GL.h"
#include "resources/ResourceEvents.h"
#include "scene/MeshRenderer.h"
#include "support/GameFolder.h"
#include "support/Png.h"
#include "support/RecordingComponent.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

using Strings = std::vector<std::string>;

// A display that paints the whole window white and writes down the events that matter for
// a switch.
class WhiteDisplay : public Display {
public:
    WhiteDisplay(Quandrels* app, EventLog* log, std::string label) : Display(app), log(log), label(label) {}

    Event* onEvent(Event* e) override {
        std::string name = e->name;
        if (name == Events::UPDATE) {
            app->window->setGLViewport();
            glClearColor(1, 1, 1, 1);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        } else if (name != Events::MOUSE_MOVE) {
            log->seen.push_back(SeenEvent{label, name, e->source, e, e->data});
        }
        return Display::onEvent(e);
    }

    EventLog* log;
    std::string label;
};

std::string whitePixel() { return png::encode(4, 4, png::RGBA, std::vector<uint8_t>(4 * 4 * 4, 255)); }

struct Fade : GameFolder {
    EventLog log;
    WhiteDisplay* from;
    WhiteDisplay* to;

    Fade() : GameFolder({{"pixel.png", whitePixel()}}) {
        from = new WhiteDisplay(&app, &log, "from");
        to = new WhiteDisplay(&app, &log, "to");
        app.displays.add(from);
        app.displays.add(to);
        app.sharedLayer->add(new RecordingObserver(&log, "layer"));
        app.window->setDisplay(from);
        frame(0.02f);
        log.clear();
    }

    // Grey level in the middle of the window after one frame of `dt` seconds.
    int frameGrey(float dt) {
        frame(dt);
        return red(pixel(427, 240));
    }

    Strings switchEvents() const {
        Strings out;
        for (const SeenEvent& s : log.seen) {
            if (s.name == Events::CREATE_RESOURCES || s.name == Events::RELEASE_RESOURCES ||
                s.name == Events::LEAVE || s.name == Events::SHOW) {
                out.push_back(s.by + ":" + s.name);
            }
        }
        return out;
    }
};

TEST(SharedLayerTest, FadeDarkensSwitchesAtFullBlackAndClearsInOneSecond) {
    Fade f;
    SharedLayer* layer = f.app.sharedLayer;
    EXPECT_EQ(f.frameGrey(0.05f), 255) << "nothing drawn while idle";

    layer->fadeTo(f.to);
    EXPECT_TRUE(layer->plane->visible);

    // Each frame draws the opacity of the previous frame's timer state: 0, 0.1, 0.2, ...
    std::vector<int> greys;
    float elapsed = 0;
    while (f.app.window->display == f.from && elapsed < 2.0f) {
        greys.push_back(f.frameGrey(0.05f));
        elapsed += 0.05f;
    }
    ASSERT_EQ(f.app.window->display, f.to) << "the switch never happened";
    EXPECT_NEAR(elapsed, 0.5f, 0.001f) << "the switch comes when the timer passes 0.5 s";
    ASSERT_GE(greys.size(), 10u);
    for (size_t i = 0; i < greys.size(); i++) {
        EXPECT_NEAR(greys[i], 255 * (1.0 - 0.1 * i), 12) << "frame " << i;
    }

    // The target builds its GPU objects before it is shown; the old display drops its own
    // after; every display hands each event on to the layer, so the layer, which lost its
    // own objects with the old display's release, rebuilds them last.
    EXPECT_EQ(f.switchEvents(), (Strings{"to:createResources", "layer:createResources", "from:leave",
                                         "layer:leave", "to:show", "layer:show", "from:releaseResources",
                                         "layer:releaseResources", "layer:createResources"}));

    EXPECT_LE(f.frameGrey(0.05f), 12) << "full black right after the switch";
    elapsed += 0.05f;
    // A request during the fade is ignored entirely.
    layer->fadeTo(f.from);
    EXPECT_EQ(layer->target, f.to);
    EXPECT_NEAR(layer->timer->time, 0.55f, 0.001f);

    while (layer->plane->visible && elapsed < 3.0f) {
        f.frame(0.05f);
        elapsed += 0.05f;
    }
    EXPECT_FALSE(layer->plane->visible);
    // The timer passes 1 s after 20 or 21 steps of 0.05 s, as the float sum rounds.
    EXPECT_GE(elapsed, 0.999f) << "the fade ends when the timer passes 1 s";
    EXPECT_LE(elapsed, 1.051f);
    EXPECT_EQ(f.frameGrey(0.05f), 255) << "clear again";
    EXPECT_EQ(f.app.window->display, f.to);
}

TEST(SharedLayerTest, TheLayerDrawsOverTheShownDisplaysViewportOnly) {
    Fade f;
    // A window wider than the design gets bars left and right; the layer covers only the
    // display's letter box.
    f.app.window->viewport.width = 854;
    f.app.window->viewport.height = 300;
    f.frame(0.05f);
    Rect box = f.from->viewport;
    ASSERT_GT(box.x, 0);
    f.app.sharedLayer->fadeTo(f.to);
    for (int i = 0; i < 8; i++) f.frame(0.05f);  // opacity 0.7 in the next frame
    f.frame(0.05f);
    int inside = red(f.pixel(box.x + box.width / 2, 150));
    int outside = red(f.pixel(box.x / 2, 150));
    EXPECT_LT(inside, 128);
    EXPECT_EQ(outside, 255);
}

}  // namespace
