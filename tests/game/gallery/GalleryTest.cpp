// The gallery on a real window, with pictures of plain colours: what it draws, a click that
// picks the icon under the press point of its scene, the icon's press, the way into a
// teaser, the icon without a teaser, dragging, the spin from start, and Escape.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/SharedLayer.h"
#include "audio/AudioFixtures.h"
#include "audio/AudioPlayer.h"
#include "game/DisplayTable.h"
#include "game/ExitDisplay.h"
#include "game/gallery/CheckText.h"
#include "game/gallery/FullscreenText.h"
#include "game/gallery/Gallery.h"
#include "game/gallery/Icon.h"
#include "game/lava/LavaStones.h"
#include "game/runes/Runes.h"
#include "render/Mesh.h"
#include "resources/Resources.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Scene.h"
#include "support/GameFolder.h"
#include "support/IconOnScreen.h"
#include "support/LogCapture.h"
#include "support/PlatformEvents.h"
#include "support/Png.h"
#include "window/Timer.h"
#include "window/Window.h"

namespace {

struct Rgb {
    uint8_t r, g, b;
};

const Rgb BACKDROP{0, 0, 128};
const Rgb CHECK_TEXT{255, 0, 255};
const Rgb FULLSCREEN_TEXT{0, 255, 0};

// The gallery's icons in the order the game adds them: the display steps that have one.
std::vector<const DisplayStep*> iconSteps() {
    std::vector<const DisplayStep*> steps;
    for (const DisplayStep& step : DISPLAY_STEPS) {
        if (step.icon) steps.push_back(&step);
    }
    return steps;
}

// Each icon's picture in a colour of its own, in the same order.
const Rgb ICON_COLORS[] = {
    {250, 250, 0}, {0, 250, 250}, {250, 130, 0},   {255, 0, 0},
    {130, 0, 250}, {0, 130, 0},   {130, 130, 130}, {255, 255, 255},
};
constexpr size_t iconCount() {
    size_t count = 0;
    for (const DisplayStep& step : DISPLAY_STEPS) count += step.icon ? 1 : 0;
    return count;
}
static_assert(std::size(ICON_COLORS) == iconCount(), "a colour for every icon");

std::string solid(Rgb c, uint8_t alpha = 255) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 8 * 8; i++) pixels.insert(pixels.end(), {c.r, c.g, c.b, alpha});
    return png::encode(8, 8, png::RGBA, pixels);
}

std::string pressSound() {
    // A second of a quiet tone, so that it is still playing when the test looks.
    std::vector<int16_t> samples;
    for (int i = 0; i < 22050; i++) samples.push_back(static_cast<int16_t>(i % 50 < 25 ? 2000 : -2000));
    std::vector<unsigned char> wav = audiotest::riffWav(1, 22050, 16, audiotest::bytesOf(samples));
    return std::string(wav.begin(), wav.end());
}

std::map<std::string, std::string> galleryData() {
    std::map<std::string, std::string> files = {
        {"pixel.png", solid({255, 255, 255})},           {"exit.png", solid({60, 60, 60})},
        {"galleryBackground.png", solid(BACKDROP)},      {"point.png", solid({255, 255, 255})},
        {"horizonFlare.png", solid({255, 255, 255}, 0)}, {"check_text.png", solid(CHECK_TEXT)},
        {"fullscreen.png", solid(FULLSCREEN_TEXT)},      {"pau.wav", pressSound()},
    };
    for (size_t i = 0; i < iconSteps().size(); i++) files[iconSteps()[i]->icon] = solid(ICON_COLORS[i]);
    return files;
}

// A gallery with the game's eight icons; each of the first seven leads to a teaser display
// of its own, the last one nowhere. The carousel stands still at its start unless a test
// lets it spin.
struct GalleryRig : GameFolder {
    Gallery* gallery;
    ExitDisplay* exit;
    std::vector<Display*> teasers;
    std::vector<Icon*> icons;

    explicit GalleryRig(bool withIcons = true, bool still = true) : GameFolder(galleryData()) {
        gallery = new Gallery(&app);
        app.gallery = gallery;
        app.displays.add(gallery);
        if (withIcons) {
            for (const DisplayStep* step : iconSteps()) {
                Display* teaser = nullptr;
                if (step->created != DisplayKind::NO_DISPLAY) {
                    teaser = new Display(&app);
                    app.displays.add(teaser);
                    teasers.push_back(teaser);
                }
                icons.push_back(new Icon(teaser, step->icon, step->iconDifficulty));
                gallery->iconScene->add(icons.back());
            }
        }
        exit = new ExitDisplay(&app);
        app.exitDisplay = exit;
        app.displays.add(exit);
        app.window->setDisplay(gallery);
        platform_events::drain();
        if (still) gallery->spinSpeed = 0;
        // The viewport and the cameras' projections come with the first frames.
        frame(0.02f);
        frame(0.02f);
    }

    void frames(int count) {
        for (int i = 0; i < count; i++) frame(0.02f);
    }

    // The window point (fractions) where the centre of `icon` is drawn, and the middle of
    // its top edge.
    Vector2 pointOf(Icon* icon) { return windowPointOf(gallery, app.window, icon); }
    Vector2 topOf(Icon* icon) {
        return windowPointOf(gallery, app.window, icon->localMatrix.translateVector(Vector3(0, 1, 0)));
    }

    void click(Vector2 down, Vector2 up) {
        app.window->onPointerDown(down, 1);
        app.window->onPointerUp(up, 1);
    }
    void click(Vector2 at) { click(at, at); }

    // The pixel at a point of the 911 x 512 overlay canvas.
    unsigned int canvasPixel(float x, float y) {
        Rect r = gallery->viewport;
        return pixel(static_cast<int>(r.x + x * r.width / 911.0f),
                     static_cast<int>(r.y + y * r.height / 512.0f));
    }

    // The pixel at the middle of an overlay picture (a dot, a text band), where the gallery
    // placed it.
    unsigned int middlePixel(const Transform* plane) {
        const Vector3 at = plane->localMatrix.getBase();
        return canvasPixel(at.x, at.y);
    }

    // The hint at the bottom.
    FullscreenText* hint() const {
        for (Component* c : gallery->overlayScene->children) {
            if (auto* text = dynamic_cast<FullscreenText*>(c)) return text;
        }
        return nullptr;
    }

    std::vector<bool> pressed() const {
        std::vector<bool> out;
        for (Icon* icon : icons) out.push_back(icon->pressTimer->running);
        return out;
    }
};

void expectColor(unsigned int pixel, Rgb want, const char* where, int tolerance = 10) {
    EXPECT_NEAR(red(pixel), want.r, tolerance) << where;
    EXPECT_NEAR(green(pixel), want.g, tolerance) << where;
    EXPECT_NEAR(blue(pixel), want.b, tolerance) << where;
}

bool pressSoundPlays() {
    SoundResource* sound = Resources::getSoundResource(Gallery::PRESS_SOUND);
    return sound->sound != nullptr && AudioPlayer::isPlaying(sound->sound);
}

TEST(GalleryTest, ItDrawsTheBackdropTheIconInFrontItsDifficultyAndTheHint) {
    GalleryRig rig;
    // At the start the fourth icon ("icon3.png", difficulty 2) stands in the middle.
    Icon* front = rig.icons[3];
    Vector2 at = rig.pointOf(front);
    EXPECT_NEAR(at.x, 0.5f, 0.02f);
    EXPECT_NEAR(at.y, 0.52f, 0.03f);
    expectColor(rig.pixel(static_cast<int>(at.x * 854), static_cast<int>(at.y * 480)), ICON_COLORS[3],
                "the icon in front");
    expectColor(rig.pixel(4, 4), BACKDROP, "top left");
    // Three red dots.
    for (MeshRenderer* dot : rig.gallery->difficultyDots)
        expectColor(rig.middlePixel(dot), {255, 0, 0}, "a dot");
    // The hint shows at the bottom; the top band waits for a click.
    ASSERT_NE(rig.hint(), nullptr);
    EXPECT_EQ(rig.hint()->localMatrix.getBase(), Vector3(456, 480, 0));
    EXPECT_EQ(rig.gallery->checkText->localMatrix.getBase(), Vector3(456, 32, 0));
    expectColor(rig.middlePixel(rig.hint()), FULLSCREEN_TEXT, "the hint");
    expectColor(rig.middlePixel(rig.gallery->checkText), BACKDROP, "the top band");
}

TEST(GalleryTest, IconsFadeTowardsTheEndsOfThePath) {
    GalleryRig rig;
    // Phases 1/8 to 8/8 (0): opacity 2 * phase up to the middle, then falling.
    const float opacities[] = {0.25f, 0.5f, 0.75f, 1.0f, 0.75f, 0.5f, 0.25f, 0.0f};
    for (int i = 0; i < 8; i++)
        EXPECT_NEAR(rig.icons[static_cast<size_t>(i)]->ambientColor.a, opacities[i], 1e-5f) << i;
    // Every icon faces the viewer, its top turned along its way.
    for (Icon* icon : rig.icons) {
        EXPECT_NEAR(icon->localMatrix.getZ().z, 1.0f, 1e-5f);
        EXPECT_NEAR(std::hypot(icon->localMatrix.getY().x, icon->localMatrix.getY().y), Icon::HEIGHT_SCALE,
                    1e-5f);
    }
}

TEST(GalleryTest, AClickPicksTheIconUnderThePressPoint) {
    // The icons around the middle, and one on its way out to the right.
    for (size_t target : {2u, 3u, 4u, 5u}) {
        SCOPED_TRACE(target);
        GalleryRig rig;
        ASSERT_EQ(AudioPlayer::init(), 0);
        Vector2 at = rig.pointOf(rig.icons[target]);
        // The release may stray a little from the press; the press point counts.
        rig.click(at, Vector2(at.x + 0.03f, at.y));
        std::vector<bool> want(8, false);
        want[target] = true;
        EXPECT_EQ(rig.pressed(), want);
        EXPECT_TRUE(pressSoundPlays());
        EXPECT_FALSE(rig.gallery->checkText->fadeTimer->running) << "this icon has a teaser";
    }
}

TEST(GalleryTest, TheClickCountsWhereTheButtonWentDown) {
    GalleryRig rig;
    Vector2 top = rig.topOf(rig.icons[3]);
    // Down just above the icon in front, up on it: nothing. Down on it, up above it: picked.
    rig.click(Vector2(top.x, top.y - 0.01f), Vector2(top.x, top.y + 0.02f));
    EXPECT_EQ(rig.pressed(), std::vector<bool>(8, false));
    rig.click(Vector2(top.x, top.y + 0.01f), Vector2(top.x, top.y - 0.02f));
    EXPECT_EQ(rig.pressed(), (std::vector<bool>{false, false, false, true, false, false, false, false}));
}

TEST(GalleryTest, ADragOrAClickBesideTheIconsPicksNothing) {
    GalleryRig rig;
    ASSERT_EQ(AudioPlayer::init(), 0);
    Vector2 at = rig.pointOf(rig.icons[3]);
    rig.click(at, Vector2(at.x + 0.04f, at.y));
    rig.click(at, Vector2(at.x, at.y - 0.05f));
    rig.click(Vector2(0.02f, 0.05f));  // the sky above the carousel
    EXPECT_EQ(rig.pressed(), std::vector<bool>(8, false));
    EXPECT_EQ(rig.app.window->display, rig.gallery);
    EXPECT_FALSE(pressSoundPlays());
}

TEST(GalleryTest, APressedIconSinksAndComesBack) {
    GalleryRig rig;
    Icon* icon = rig.icons[3];
    const float pathZ = icon->localMatrix.getBase().z - Icon::REST_DEPTH;
    rig.click(rig.pointOf(icon));
    // The icon reads its timer before the timer steps on in the same frame, and the gallery
    // places it with the depth of the frame before.
    std::vector<float> depths;
    for (int i = 0; i < 16; i++) {
        rig.frame(0.02f);
        depths.push_back(icon->depth);
    }
    for (int i = 0; i < 16; i++) {
        float t = 0.02f * i;
        float sunk = t <= 0.125f ? t / 0.125f : t <= 0.25f ? (0.25f - t) / 0.125f : 0.0f;
        EXPECT_NEAR(depths[static_cast<size_t>(i)], -7 - 1.5f * sunk, 1e-3f) << "at " << t << " s";
    }
    EXPECT_NEAR(icon->localMatrix.getBase().z, pathZ + depths[14], 1e-4f);
    EXPECT_FALSE(icon->pressTimer->running);
    EXPECT_EQ(icon->depth, Icon::REST_DEPTH);
}

TEST(GalleryTest, ThePressEndsInAFadeToTheIconsTeaser) {
    GalleryRig rig;
    rig.click(rig.pointOf(rig.icons[3]));
    rig.frames(12);
    SharedLayer* layer = rig.app.sharedLayer;
    ASSERT_FALSE(layer->plane->visible) << "the fade waits for the end of the press";
    rig.frames(1);
    ASSERT_TRUE(layer->plane->visible);
    EXPECT_EQ(layer->target, rig.teasers[3]);
    rig.frames(26);
    EXPECT_EQ(rig.app.window->display, rig.teasers[3]);
}

TEST(GalleryTest, TheIconWithoutATeaserShowsTheTopTextAndLeadsNowhere) {
    GalleryRig rig;
    ASSERT_EQ(AudioPlayer::init(), 0);
    // Half a turn brings the last icon into the middle: no difficulty, no dots.
    rig.gallery->rotation = 0.5f;
    rig.frames(2);
    Icon* empty = rig.icons[7];
    for (MeshRenderer* dot : rig.gallery->difficultyDots) EXPECT_EQ(dot->ambientColor.a, 0.0f);
    expectColor(rig.middlePixel(rig.gallery->difficultyDots[1]), BACKDROP, "no dot");

    rig.click(rig.pointOf(empty));
    EXPECT_TRUE(empty->pressTimer->running);
    EXPECT_TRUE(pressSoundPlays());
    EXPECT_TRUE(rig.gallery->checkText->fadeTimer->running);
    rig.frames(2);
    expectColor(rig.middlePixel(rig.gallery->checkText), CHECK_TEXT, "the top band");
    EXPECT_GT(empty->depth, Icon::REST_DEPTH - 1.5f);
    EXPECT_LT(empty->depth, Icon::REST_DEPTH) << "it sinks like any other";

    // Nothing follows the press; after 3 s the text fades.
    rig.frames(160);
    EXPECT_FALSE(rig.app.sharedLayer->plane->visible);
    EXPECT_EQ(rig.app.window->display, rig.gallery);
    float fading = rig.gallery->checkText->ambientColor.a;
    EXPECT_GT(fading, 0.1f);
    EXPECT_LT(fading, 0.9f);

    // A second click shows it again at full opacity from the next frame on.
    rig.click(rig.pointOf(empty));
    rig.frame(0.02f);
    EXPECT_EQ(rig.gallery->checkText->ambientColor.a, 1.0f);
    rig.frame(0.02f);
    expectColor(rig.middlePixel(rig.gallery->checkText), CHECK_TEXT, "the top band again");
}

TEST(GalleryTest, DraggingWithTheButtonHeldSetsTheSpin) {
    GalleryRig rig;
    Window* w = rig.app.window;
    // Motion without the button is no drag.
    w->onPointerMove(Vector2(0.5f, 0.5f), Vector2(0.2f, 0));
    EXPECT_EQ(rig.gallery->spinSpeed, 0.0f);

    w->onPointerDown(Vector2(0.3f, 0.5f), 1);
    for (int i = 1; i <= 5; i++) w->onPointerMove(Vector2(0.3f + 0.02f * i, 0.5f), Vector2(0.02f, 0));
    const float mean = 0.7071f * 0.02f;
    EXPECT_NEAR(rig.gallery->spinSpeed, mean, 1e-6f);
    // Held still, the spin keeps its speed and the carousel turns.
    float before = rig.gallery->rotation;
    rig.frames(10);
    EXPECT_NEAR(rig.gallery->spinSpeed, mean, 1e-6f);
    EXPECT_NEAR(rig.gallery->rotation - before, 10 * mean * 100 * 0.02f, 1e-4f);

    // The release lies far from the press: no click, and the spin dies away.
    w->onPointerUp(Vector2(0.4f, 0.5f), 1);
    EXPECT_EQ(rig.pressed(), std::vector<bool>(8, false));
    rig.frames(1);
    EXPECT_NEAR(rig.gallery->spinSpeed, mean * 0.9f, 1e-6f);
}

TEST(GalleryTest, FromStartTheCarouselTurnsAboutTwoTurnsAndRests) {
    GalleryRig rig(true, false);
    rig.frames(500);  // ten seconds of 20 ms frames, the button up
    float rested = rig.gallery->rotation;
    EXPECT_GE(rested, 1.8f);
    EXPECT_LE(rested, 2.2f);
    rig.frames(50);
    EXPECT_NEAR(rig.gallery->rotation, rested, 1e-5f) << "at rest";
}

TEST(GalleryTest, WithoutIconsTheDotsStayWhite) {
    GalleryRig rig(false);
    for (MeshRenderer* dot : rig.gallery->difficultyDots) EXPECT_EQ(dot->ambientColor, (Color{1, 1, 1, 1}));
    // Under the carousel, 70 units apart.
    for (int i = 0; i < Gallery::DOTS; i++) {
        EXPECT_EQ(rig.gallery->difficultyDots[i]->localMatrix.getBase(), Vector3(386.0f + 70 * i, 420, 0));
    }
    for (MeshRenderer* dot : rig.gallery->difficultyDots)
        expectColor(rig.middlePixel(dot), {255, 255, 255}, "a dot");
    expectColor(rig.canvasPixel(456, 256), BACKDROP, "the middle");
}

TEST(GalleryTest, BetweenTwoIconsTheDotsKeepTheirColours) {
    GalleryRig rig;
    // Half a spacing on, no icon stands in front.
    rig.gallery->rotation = 1.0f / 16;
    rig.frames(1);
    for (MeshRenderer* dot : rig.gallery->difficultyDots) EXPECT_EQ(dot->ambientColor, (Color{1, 0, 0, 1}));
    rig.gallery->rotation = 1.0f / 8;  // "icon2.png", difficulty 1, in front
    rig.frames(1);
    const Color yellow{1, 1, 0, 1}, dim{1, 1, 0, 0.25f};
    EXPECT_EQ(rig.gallery->difficultyDots[0]->ambientColor, yellow);
    EXPECT_EQ(rig.gallery->difficultyDots[1]->ambientColor, yellow);
    EXPECT_EQ(rig.gallery->difficultyDots[2]->ambientColor, dim);
}

TEST(GalleryTest, EscapeGoesStraightToTheExitScreen) {
    GalleryRig rig;
    KeyRecord escape;
    escape.sym = 27;
    rig.app.window->onKeyDown(escape, false);
    EXPECT_EQ(rig.app.window->display, rig.exit);
    EXPECT_FALSE(rig.app.sharedLayer->plane->visible) << "no fade";
    EXPECT_FALSE(platform_events::quitPending()) << "the same Escape does not also close the exit screen";
}

TEST(GalleryTest, EscapeWhileAFadeTakesThePlayerIntoATeaserIsIgnored) {
    GalleryRig rig;
    rig.click(rig.pointOf(rig.icons[3]));
    rig.frames(15);
    ASSERT_TRUE(rig.app.sharedLayer->plane->visible);
    KeyRecord escape;
    escape.sym = 27;
    rig.app.window->onKeyDown(escape, false);
    EXPECT_EQ(rig.app.window->display, rig.gallery);
    rig.frames(30);
    EXPECT_EQ(rig.app.window->display, rig.teasers[3]);
}

TEST(GalleryTest, AFullScreenToggleKeepsTheCarouselAndRebuildsWhatItDraws) {
    GalleryRig rig(true, false);
    rig.frames(20);
    const float turned = rig.gallery->rotation;
    const float spin = rig.gallery->spinSpeed;
    captureLog([&] { rig.app.toggleFullscreen(); });
    ASSERT_TRUE(rig.app.fullscreen);
    EXPECT_EQ(rig.app.window->display, rig.gallery);
    EXPECT_EQ(rig.gallery->rotation, turned);
    EXPECT_EQ(rig.gallery->spinSpeed, spin);

    // Every picture has its buffers in the new context, and its texture again after a frame.
    rig.frames(2);
    std::vector<MeshRenderer*> pictures(rig.icons.begin(), rig.icons.end());
    for (Component* child : rig.gallery->overlayScene->children) {
        if (MeshRenderer* picture = dynamic_cast<MeshRenderer*>(child)) pictures.push_back(picture);
    }
    ASSERT_EQ(pictures.size(), 15u);
    for (MeshRenderer* picture : pictures) {
        SCOPED_TRACE(picture->textureResource->name);
        EXPECT_NE(picture->mesh->verticesBuffer, nullptr);
        EXPECT_NE(picture->textureResource->texture, nullptr);
    }
    EXPECT_EQ(rig.gallery->viewport.width, rig.app.window->viewport.width);
    // The carousel goes on turning from where it was.
    EXPECT_GT(rig.gallery->rotation, turned);
}

TEST(GalleryTest, TheGameBuildsItsDisplaysAndIconsInTheTablesOrder) {
    GameFolder folder({});
    folder.app.buildDisplays();
    Quandrels& app = folder.app;
    ASSERT_GE(app.displays.size(), 2);
    EXPECT_EQ(app.displays.at(0), app.gallery);
    EXPECT_EQ(app.displays.at(app.displays.size() - 1), app.exitDisplay);
    EXPECT_NE(dynamic_cast<ExitDisplay*>(app.exitDisplay), nullptr);

    Gallery* gallery = dynamic_cast<Gallery*>(app.gallery);
    ASSERT_NE(gallery, nullptr);
    const std::vector<const DisplayStep*> steps = iconSteps();
    ASSERT_EQ(gallery->iconScene->children.size(), static_cast<int>(steps.size()) + 1);
    EXPECT_EQ(gallery->iconScene->children.at(0), gallery->iconScene->camera);
    // Each teaser's icon leads to the display built right before it, of the step's kind and
    // level, so the teasers' icons follow the order of the displays; the last icon leads
    // nowhere.
    int lastPlace = 0;
    for (size_t i = 0; i < steps.size(); i++) {
        Icon* icon = dynamic_cast<Icon*>(gallery->iconScene->children.at(static_cast<int>(i) + 1));
        ASSERT_NE(icon, nullptr);
        EXPECT_STREQ(icon->textureResource->name, steps[i]->icon);
        EXPECT_EQ(icon->difficulty, steps[i]->iconDifficulty);
        if (steps[i]->created == DisplayKind::LAVA_STONES) {
            auto* lava = dynamic_cast<LavaStones*>(icon->display);
            ASSERT_NE(lava, nullptr) << steps[i]->icon;
            EXPECT_EQ(lava->level, steps[i]->level);
        } else if (steps[i]->created == DisplayKind::RUNES) {
            auto* runes = dynamic_cast<Runes*>(icon->display);
            ASSERT_NE(runes, nullptr) << steps[i]->icon;
            EXPECT_EQ(runes->level, steps[i]->level);
        }
        if (!icon->display) continue;
        int place = 0;
        while (place < app.displays.size() && app.displays.at(place) != icon->display) place++;
        EXPECT_EQ(place, lastPlace + 1) << steps[i]->icon;
        lastPlace = place;
    }
    EXPECT_EQ(dynamic_cast<Icon*>(gallery->iconScene->children.at(static_cast<int>(steps.size())))->display,
              nullptr);
    EXPECT_EQ(lastPlace + 2, app.displays.size()) << "the exit display comes last";
}

}  // namespace
