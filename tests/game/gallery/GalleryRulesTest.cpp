// The gallery's rules that need no window: what counts as a click, the dots' colours per
// difficulty, and the two text bands fading over their timers (driven by "update" from a
// detached window).
#include <gtest/gtest.h>

#include <vector>

#include "game/gallery/CheckText.h"
#include "game/gallery/FullscreenText.h"
#include "game/gallery/Gallery.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

TEST(GalleryRulesTest, AReleaseCloserThanTheThresholdIsAClick) {
    struct Case {
        Vector2 down, up;
        bool click;
    };
    const Case cases[] = {
        {{0.5f, 0.5f}, {0.5f, 0.5f}, true},
        {{0, 0}, {0.0399f, 0}, true},
        {{0, 0}, {0.04f, 0}, false},
        {{0, 0}, {0, 0.04f}, false},
        {{0, 0}, {0, -0.0399f}, true},
        {{0.3f, 0.3f}, {0.3f + 0.0239f, 0.3f + 0.0319f}, true},  // 0.0399 along a diagonal
        {{0.3f, 0.3f}, {0.3f + 0.03f, 0.3f + 0.03f}, false},     // 0.0424
        {{0.1f, 0.9f}, {0.8f, 0.2f}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Gallery::isClick(c.down, c.up), c.click)
            << c.down.x << "," << c.down.y << " -> " << c.up.x << "," << c.up.y;
    }
}

TEST(GalleryRulesTest, TheDotsShowTheDifficultyInItsColour) {
    const Color clear{1, 1, 1, 0};
    struct Case {
        int difficulty;
        Color dots[3];
    };
    const Case cases[] = {
        {0, {{0, 1, 0, 1}, {0, 1, 0, 0.25f}, {0, 1, 0, 0.25f}}},
        {1, {{1, 1, 0, 1}, {1, 1, 0, 1}, {1, 1, 0, 0.25f}}},
        {2, {{1, 0, 0, 1}, {1, 0, 0, 1}, {1, 0, 0, 1}}},
        {-1, {clear, clear, clear}},
        // A difficulty the game does not know shows no dots rather than reading past the table.
        {3, {clear, clear, clear}},
        {-7, {clear, clear, clear}},
    };
    for (const Case& c : cases) {
        const Color* got = Gallery::dotColors(c.difficulty);
        for (int d = 0; d < 3; d++)
            EXPECT_EQ(got[d], c.dots[d]) << "difficulty " << c.difficulty << " dot " << d;
    }
}

// A text under a detached window, as the gallery's overlay would hold it, driven with 0.1 s
// frames; gives its opacity after every frame.
template <class Text>
struct TextRig {
    Window window{Window::Detached{}, 854, 480};
    Text* text = new Text();

    TextRig() {
        window.add(text);
        window.deltaTime = 0.1f;
    }
    float frame() {
        window.sendBroadcast(Events::UPDATE);
        return text->ambientColor.a;
    }
};

TEST(GalleryRulesTest, TheFullscreenHintShowsForSixSecondsAndFadesOutByNine) {
    TextRig<FullscreenText> rig;
    EXPECT_TRUE(rig.text->fadeTimer->running);
    // Each frame shows the timer as the previous frame left it (the timer is the text's child).
    std::vector<float> seen;
    for (int i = 0; i < 100; i++) seen.push_back(rig.frame());
    for (int i = 0; i < 100; i++) {
        float t = 0.1f * i;
        float want = t <= 6.0f ? 1.0f : t >= 9.0f ? 0.0f : (9.0f - t) / 3.0f;
        EXPECT_NEAR(seen[static_cast<size_t>(i)], want, 0.002f) << "at " << t << " s";
    }
    EXPECT_FALSE(rig.text->fadeTimer->running) << "it shows once";
    EXPECT_EQ(rig.frame(), 0.0f);
}

TEST(GalleryRulesTest, TheCheckTextIsClearUntilStartedAndStartsOverAtFullOpacity) {
    TextRig<CheckText> rig;
    EXPECT_FALSE(rig.text->fadeTimer->running);
    EXPECT_EQ(rig.text->fadeTimer->time, CheckText::DURATION);
    for (int i = 0; i < 5; i++) EXPECT_EQ(rig.frame(), 0.0f) << "clear before its first showing";

    rig.text->fadeTimer->start(0);
    std::vector<float> seen;
    for (int i = 0; i < 50; i++) seen.push_back(rig.frame());
    for (int i = 0; i < 50; i++) {
        float t = 0.1f * i;
        float want = t <= 3.0f ? 1.0f : t >= 4.5f ? 0.0f : (4.5f - t) / 1.5f;
        EXPECT_NEAR(seen[static_cast<size_t>(i)], want, 0.002f) << "at " << t << " s";
    }

    // Started again while fading, or while still opaque: opaque from the very next frame,
    // for the full three seconds.
    for (int restartAfter : {35, 10}) {
        rig.text->fadeTimer->start(0);
        for (int i = 0; i < restartAfter; i++) rig.frame();
        rig.text->fadeTimer->start(0);
        for (int i = 0; i < 30; i++) EXPECT_EQ(rig.frame(), 1.0f) << restartAfter << ": frame " << i;
        for (int i = 0; i < 5; i++) rig.frame();
        EXPECT_LT(rig.frame(), 1.0f) << "fading again after three seconds";
    }
}

}  // namespace
