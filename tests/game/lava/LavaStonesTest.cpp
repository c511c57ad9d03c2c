// The lava-stones display on a real window, in both builds: what each level builds and in
// which order it draws its random numbers, clicks on the stones as the player makes them, a
// win with its flash, novas and victory sound, the hidden reset, the click counter, the
// scenery that animates itself, and what each level looks like.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "LavaScreen.h"
#include "audio/AudioPlayer.h"
#include "core/EventName.h"
#include "core/Observer.h"
#include "game/lava/Clouds.h"
#include "game/lava/Flash.h"
#include "game/lava/Glitter.h"
#include "game/lava/Lava.h"
#include "game/lava/LavaEvents.h"
#include "game/lava/Nova.h"
#include "game/lava/Progress.h"
#include "game/lava/Star.h"
#include "render/GLConstants.h"
#include "render/Mesh.h"
#include "resources/ResourceEvents.h"
#include "resources/Resources.h"
#include "support/LavaSolver.h"
#include "support/RecordingComponent.h"
#include "window/Timer.h"

namespace {

TEST(LavaStonesTest, EachLevelBuildsItsSceneryAndStones) {
    struct Case {
        int level;
        int stars, glitters, clouds, lava;
        bool ring;
        std::vector<int> ids;  // in the order the stones hang
        StoneKind kind;
    };
    const Case cases[] = {
        {1, 9, 0, 0, 0, false, {0, 1, 2, 3, 4, 5, 6}, StoneKind::LAVA},
        {2, 9, 0, 1, 0, false, {0, 1, 2, 3, 4, 5, 6}, StoneKind::LAVA},
        {3, 9, 0, 0, 1, true, {1, 2, 5, 3, 6, 4, 0}, StoneKind::WATER},
        {4, 0, 7, 0, 0, false, {0, 1, 2, 3, 4, 5, 6}, StoneKind::GREEN_LAVA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level);
        LavaScreen s(c.level);
        LavaStones* lava = s.lava;
        ASSERT_EQ(lava->children.size(), 3);
        EXPECT_EQ(lava->children.get(0), lava->sceneryScene);
        EXPECT_EQ(lava->children.get(1), lava->stoneScene);
        EXPECT_EQ(lava->children.get(2), lava->novaTimer);
        EXPECT_EQ(s.inScene<Star>(lava->sceneryScene).size(), static_cast<size_t>(c.stars));
        EXPECT_EQ(s.inScene<Glitter>(lava->sceneryScene).size(), static_cast<size_t>(c.glitters));
        EXPECT_EQ(s.inScene<Clouds>(lava->sceneryScene).size(), static_cast<size_t>(c.clouds));
        EXPECT_EQ(s.inScene<Lava>(lava->stoneScene).size(), static_cast<size_t>(c.lava));
        EXPECT_EQ(lava->ring != nullptr, c.ring);
        Component* holder = c.ring ? static_cast<Component*>(lava->ring) : lava->stoneScene;
        std::vector<int> ids;
        for (Component* child : holder->children) {
            if (auto* stone = dynamic_cast<Stone*>(child)) {
                ids.push_back(stone->id);
                EXPECT_EQ(stone->kind, c.kind);
                EXPECT_FALSE(stone->celebrating);
                EXPECT_EQ(stone->spin, 0);
            }
        }
        EXPECT_EQ(ids, c.ids);
        EXPECT_NE(s.hiddenReset(), nullptr);
        EXPECT_FALSE(lava->solved);
        EXPECT_FALSE(lava->novaTimer->running);
        EXPECT_EQ(lava->novaTimer->intervals.size(), 10);
        EXPECT_EQ(lava->progress->moves, 0);
        if (c.level == 4) {
            EXPECT_EQ(s.litCount() % 2, 1);
        } else {
            EXPECT_EQ(s.litCount(), 3);
        }
    }
}

TEST(LavaStonesTest, TheRingStandsAboveTheMiddleAndTurnsTwoDegreesASecond) {
    LavaScreen s(3);
    Matrix4x4 before = s.lava->ring->localMatrix;
    EXPECT_NEAR(before.getBase().y, 0.2f, 1e-6);
    s.frames(50, 0.02f);  // one second
    Vector3 x0 = before.getX(), x1 = s.lava->ring->localMatrix.getX();
    float degrees = std::acos(std::min(1.0f, dot(x0, x1))) * 180 / 3.14159265f;
    EXPECT_NEAR(degrees, 2, 0.02);
    EXPECT_EQ(s.lava->ring->localMatrix.getBase(), before.getBase());
    // Stone k of the ring starts at (sin(2 pi k / 7), cos(2 pi k / 7)) of the ring.
    for (int k = 0; k < 7; k++) {
        auto* stone = dynamic_cast<Stone*>(s.lava->ring->children.get(k));
        ASSERT_NE(stone, nullptr);
        EXPECT_NEAR(stone->localMatrix.getBase().x, std::sin(2 * 3.14159265 * k / 7), 1e-5);
        EXPECT_NEAR(stone->localMatrix.getBase().y, std::cos(2 * 3.14159265 * k / 7), 1e-5);
        EXPECT_EQ(stone->localMatrix.getBase().z, -4);
    }
}

// The draws of a level's construction, replayed from a known seed: the backdrop's twinkle
// starts, then (at level 4) the number lit, then the start position, then three per stone.
TEST(LavaStonesTest, ConstructionDrawsItsRandomNumbersInItsOrder) {
    for (int level : {1, 3, 4}) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        const unsigned seed = 2024u + level;
        srand(seed);
        std::vector<int> draws;
        for (int i = 0; i < 5000; i++) draws.push_back(rand());
        size_t next = 0;
        std::vector<float> starts;
        for (int k = 0; k < (level == 4 ? 7 : 9); k++) {
            starts.push_back(level == 4 ? static_cast<float>(draws[next++] % 1000) / 100.0f
                                        : static_cast<float>(draws[next++] % 100) / 100.0f);
        }
        int count = level == 4 ? draws[next++] % 3 * 2 + 1 : 3;
        bool expected[7] = {};
        for (int entry = 0, set = 0; set < count; entry = (entry + 1) % 7) {
            if (expected[entry]) continue;
            if (draws[next++] % 100 < 11) {
                expected[entry] = true;
                set++;
            }
        }
        std::vector<Vector3> axes;
        for (int k = 0; k < 7; k++) {
            int r1 = draws[next++] % 100, r2 = draws[next++] % 100, r3 = draws[next++] % 100;
            Vector3 raw(r3 / 50.0f - 1, r2 / 50.0f - 1, r1 / 50.0f - 1);
            axes.push_back(length(raw) < 0.01f ? Vector3(0, 1, 0) : normalize(raw));
        }

        LavaScreen s(level, static_cast<int>(seed));
        int k = 0;
        for (Component* c : s.lava->sceneryScene->children) {
            Timer* timer = nullptr;
            if (auto* star = dynamic_cast<Star*>(c)) timer = star->twinkleTimer;
            if (auto* glitter = dynamic_cast<Glitter*>(c)) timer = glitter->twinkleTimer;
            if (!timer) continue;
            // Two frames have run since.
            float cycle = level == 4 ? 10.0f : 1.0f;
            EXPECT_NEAR(std::remainder(timer->time - (starts[k] + 0.04f), cycle), 0, 1e-4) << "sprite " << k;
            k++;
        }
        EXPECT_EQ(k, static_cast<int>(starts.size()));
        Component* holder = level == 3 ? static_cast<Component*>(s.lava->ring) : s.lava->stoneScene;
        int spot = 0;
        for (Component* c : holder->children) {
            auto* stone = dynamic_cast<Stone*>(c);
            if (!stone) continue;
            EXPECT_EQ(stone->lit, expected[spot]) << "spot " << spot;
            EXPECT_NEAR(stone->axis.x, axes[spot].x, 1e-6) << "spot " << spot;
            EXPECT_NEAR(stone->axis.y, axes[spot].y, 1e-6) << "spot " << spot;
            EXPECT_NEAR(stone->axis.z, axes[spot].z, 1e-6) << "spot " << spot;
            spot++;
        }
        EXPECT_EQ(spot, 7);
    }
}

TEST(LavaStonesTest, AClickSwitchesTheStoneAndItsNeighboursByTheRule) {
    struct Case {
        int level;
        int id;                 // the stone clicked
        std::set<int> flipped;  // the ids that change
    };
    const Case cases[] = {
        {1, 0, {6, 0, 1}},    {1, 6, {5, 6, 0}}, {2, 3, {2, 3, 4}},
        {3, 2, {1, 2, 3}},  // ring position 1: its neighbours stand at positions 0 and 3
        {4, 5, {5, 6, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << ", stone " << c.id);
        LavaScreen s(c.level);
        std::vector<bool> before = s.lit();
        size_t newlyLit = 0;
        for (int id : c.flipped) newlyLit += before[id] ? 0 : 1;
        s.clickStone(c.id);
        std::vector<bool> after = s.lit();
        for (int id = 0; id < 7; id++)
            EXPECT_EQ(after[id] != before[id], c.flipped.count(id) == 1) << "id " << id;
        EXPECT_EQ(s.inScene<Nova>(s.lava->stoneScene).size(), newlyLit) << "a nova for each stone that lit";
        EXPECT_EQ(s.lava->progress->moves, 1);
        EXPECT_EQ(s.lava->progress->children.size(), 1);
        // The lit stones grow bright and the dark ones dim.
        s.frames(75);
        for (Stone* stone : s.stones()) EXPECT_EQ(stone->ambientColor.r, stone->lit ? 1.0f : Stone::DARK);
    }
}

TEST(LavaStonesTest, AClickBesideTheStonesChangesNothing) {
    LavaScreen s(1);
    std::vector<bool> before = s.lit();
    s.click(Vector2(0.5f, 0.9f));
    s.click(Vector2(0.02f, 0.02f));
    EXPECT_EQ(s.lit(), before);
    EXPECT_EQ(s.lava->progress->moves, 0);
}

// Lights every stone but the ones a click on stone `id` switches, so that the click wins.
void setUpWinningClick(LavaScreen& s, int id) {
    int ids[4];
    int n = LavaStones::switchedIds(s.lava->level, id, ids);
    for (Stone* stone : s.stones()) stone->lit = true;
    for (int k = 0; k < n; k++) s.stones()[ids[k]]->lit = false;
}

TEST(LavaStonesTest, TheWinningClickCelebratesAndLaterClicksOnStonesAreIgnored) {
    LavaScreen s(1);
    setUpWinningClick(s, 0);
    s.frames(25);
    // Watches the stone scene for the display's "nova" broadcasts and the ids they carry.
    EventLog log;
    std::vector<int> bursts;
    auto* watch = new RecordingObserver(&log, "stones");
    watch->action = [&](Component*, Event* e) {
        if (isEvent(e, Events::NOVA) && e->data != nullptr) bursts.push_back(*static_cast<int*>(e->data));
        return e;
    };
    s.lava->stoneScene->add(watch);

    s.clickStone(0);
    EXPECT_TRUE(s.lava->solved);
    for (Stone* stone : s.stones()) {
        EXPECT_TRUE(stone->lit);
        EXPECT_TRUE(stone->celebrating);
        EXPECT_EQ(stone->spin, 100);
    }
    EXPECT_TRUE(s.lava->novaTimer->running);
    EXPECT_EQ(s.inScene<Flash>(s.lava->sceneryScene).size(), 1u);
    EXPECT_TRUE(AudioPlayer::isPlaying(Resources::getSoundResource("victory.wav")->getSound()));
    EXPECT_EQ(s.lava->progress->moves, 1);

    s.clickStone(3);
    s.clickStone(5);
    for (Stone* stone : s.stones()) EXPECT_TRUE(stone->lit);
    EXPECT_EQ(s.lava->progress->moves, 1) << "clicks after a win do not count";

    // Nine volleys of three bursts over 4.8 s: passing the timer's last point raises no event.
    bursts.clear();
    s.frames(500);
    EXPECT_EQ(bursts.size(), 27u);
    for (int id : bursts) EXPECT_TRUE(id >= 0 && id < 7) << id;
    // The stones still celebrate; the flash and the novas are gone.
    for (Stone* stone : s.stones()) EXPECT_EQ(stone->spin, 100);
    EXPECT_EQ(s.inScene<Flash>(s.lava->sceneryScene).size(), 0u);
    EXPECT_EQ(s.inScene<Nova>(s.lava->stoneScene).size(), 0u);
}

TEST(LavaStonesTest, TheHiddenResetStartsANewGameOnlyAfterAWin) {
    for (int level : {1, 4}) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        LavaScreen s(level);
        s.clickStone(2);
        std::vector<bool> before = s.lit();
        s.clickHiddenReset();
        EXPECT_EQ(s.lit(), before) << "not solved yet: nothing happens";
        EXPECT_EQ(s.lava->progress->moves, 1);

        setUpWinningClick(s, 4);
        s.clickStone(4);
        ASSERT_TRUE(s.lava->solved);
        EXPECT_EQ(s.lava->progress->moves, 2);
        s.frames(30);
        s.clickHiddenReset();
        EXPECT_FALSE(s.lava->solved);
        if (level == 4) {
            EXPECT_EQ(s.litCount() % 2, 1);
        } else {
            EXPECT_EQ(s.litCount(), 3);
        }
        EXPECT_EQ(s.lava->progress->moves, 0);
        EXPECT_EQ(s.lava->progress->children.size(), 0);
        for (Stone* stone : s.stones()) EXPECT_FALSE(stone->celebrating);
        // The remaining volleys of the win do nothing now.
        s.frames(250);
        EXPECT_EQ(s.inScene<Nova>(s.lava->stoneScene).size(), 0u);
        // And the new game is played as before.
        std::vector<bool> fresh = s.lit();
        s.clickStone(0);
        EXPECT_NE(s.lit(), fresh);
        EXPECT_EQ(s.lava->progress->moves, 1);
    }
}

TEST(LavaStonesTest, TheMoveCountStopsAtSeventySix) {
    LavaScreen s(1);
    // Clicking one stone again and again never lights all seven from three lit.
    for (int i = 0; i < 80; i++) s.clickStone(0);
    EXPECT_FALSE(s.lava->solved);
    EXPECT_EQ(s.lava->progress->moves, 76);
    EXPECT_EQ(s.lava->progress->children.size(), 76);
}

TEST(LavaStonesTest, TheProgressRowByMoves) {
    LavaScreen s(1);
    Progress* row = s.lava->progress;
    EXPECT_EQ(row->localMatrix.getBase(), Vector3(456, 490, 0));
    struct Case {
        int moves;
        std::vector<float> xs;  // fragment centres on the screen's 911-unit width
        Color colour;
    };
    const Case cases[] = {
        {0, {}, {}},
        {1, {456}, Color{0.1f, 1, 0, 1}},
        {2, {450, 462}, Color{0.2f, 1, 0, 1}},
        {76, {6, 18, 30}, Color{1, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.moves << " moves");
        row->moves = c.moves;
        row->refresh();
        ASSERT_EQ(row->children.size(), c.moves);
        for (size_t k = 0; k < c.xs.size(); k++) {
            auto* fragment = dynamic_cast<MeshRenderer*>(row->children.get(static_cast<int>(k)));
            ASSERT_NE(fragment, nullptr);
            EXPECT_EQ(456 + fragment->localMatrix.getBase().x, c.xs[k]);
            EXPECT_EQ(fragment->localMatrix.getBase().y, 0);
            EXPECT_EQ(fragment->localMatrix.getX().x, 4);
            EXPECT_EQ(fragment->localMatrix.getY().y, -16);
            EXPECT_EQ(fragment->ambientColor, c.colour);
            EXPECT_EQ(fragment->layerMask, 2u);
        }
        if (c.moves == 76) {
            auto* last = dynamic_cast<MeshRenderer*>(row->children.get(75));
            EXPECT_EQ(456 + last->localMatrix.getBase().x, 906);
        }
        s.frame();
    }
}

TEST(LavaStonesTest, FlashesStackAndEachRemovesItselfAfterTwoSeconds) {
    LavaScreen s(1);
    auto flashes = [&] { return s.inScene<Flash>(s.lava->sceneryScene); };
    s.lava->sceneryScene->add(new Flash());
    s.frames(25);  // 0.5 s
    s.lava->sceneryScene->add(new Flash());
    s.frames(2);
    ASSERT_EQ(flashes().size(), 2u);
    EXPECT_NEAR(flashes()[0]->ambientColor.a, 1 - 0.52f / 2, 0.011);
    EXPECT_NEAR(flashes()[1]->ambientColor.a, 1 - 0.02f / 2, 0.011);
    Flash* second = flashes()[1];
    s.frames(76);  // 2.06 s after the first
    ASSERT_EQ(flashes().size(), 1u);
    EXPECT_EQ(flashes()[0], second);
    s.frames(25);
    EXPECT_EQ(flashes().size(), 0u);
}

TEST(LavaStonesTest, AGlitterIsInvisibleInItsRestPhase) {
    LavaScreen s(4);
    auto* glitter = new Glitter(0.5f, 0.5f);
    s.lava->sceneryScene->add(glitter);
    glitter->twinkleTimer->start(5.0f);  // rests until 4.0 s of the next cycle
    for (int i = 0; i < 440; i++) {      // 8.8 s: up to 3.8 s of the next cycle
        s.frame();
        ASSERT_EQ(glitter->localMatrix.getX().x, 0) << "frame " << i;
        ASSERT_EQ(glitter->localMatrix.getBase(), Vector3(455.5f, 256, 0));
    }
    s.frames(21);  // 4.2 s: fully flared
    EXPECT_NEAR(glitter->localMatrix.getX().x, 16, 0.05);
    EXPECT_NEAR(glitter->localMatrix.getY().y, -16, 0.05);
}

// Drives only `piece` with "update" records from the window, without drawing.
void drive(LavaScreen& s, Component* piece, int frames, float dt) {
    s.app.window->deltaTime = dt;
    for (int i = 0; i < frames; i++) {
        Event update{Events::UPDATE, s.app.window, nullptr, true};
        piece->sendBroadcast(&update);
    }
}

TEST(LavaStonesTest, CloudsAndLavaScrollButStayWithinOneUnitOfTheirStart) {
    struct Case {
        int level;
        bool clouds;
    };
    for (const Case c : {Case{2, true}, Case{3, false}}) {
        SCOPED_TRACE(c.clouds ? "clouds" : "lava");
        LavaScreen s(c.level);
        MeshRenderer* piece;
        const TexcoordScroll* scroll;
        if (c.clouds) {
            Clouds* clouds = s.inScene<Clouds>(s.lava->sceneryScene).at(0);
            piece = clouds;
            scroll = &clouds->scroll;
        } else {
            Lava* lava = s.inScene<Lava>(s.lava->stoneScene).at(0);
            piece = lava;
            scroll = &lava->scroll;
        }
        EXPECT_EQ(piece->mesh->usage, BufferUsage::STREAM_DRAW);
        std::vector<Vector2> start(scroll->start.begin(), scroll->start.end());
        ASSERT_EQ(start.size(), 4u);
        if (c.clouds) {
            EXPECT_EQ(start[0], Vector2(0, 1));
        } else {
            EXPECT_EQ(start[0], Vector2(0, 7));
            EXPECT_EQ(start[2], Vector2(7, 0));
        }
        Vector2 before = piece->mesh->texcoords->at(0);
        drive(s, piece, 250, 0.02f);  // 5 s: a quarter of the way
        Vector2 moved = piece->mesh->texcoords->at(0) - before;
        EXPECT_NEAR(c.clouds ? moved.x : moved.y, c.clouds ? -0.25f : 0.25f, 1e-3);
        drive(s, piece, 60000, 0.05f);  // 50 minutes
        for (int k = 0; k < 4; k++) {
            Vector2 t = piece->mesh->texcoords->at(k);
            EXPECT_LE(std::fabs(t.x - start[k].x), 1.0001f) << k;
            EXPECT_LE(std::fabs(t.y - start[k].y), 1.0001f) << k;
        }
        s.frames(3);  // and it still draws
    }
}

TEST(LavaStonesTest, ReleasingAndRebuildingTheGpuObjectsKeepsTheGame) {
    LavaScreen s(2);
    s.clickStone(1);
    std::vector<bool> before = s.lit();
    s.lava->sendBroadcast(Events::RELEASE_RESOURCES);
    Resources::releaseData();
    s.lava->sendBroadcast(Events::CREATE_RESOURCES);
    s.frames(3);
    EXPECT_EQ(s.lit(), before);
    EXPECT_EQ(s.lava->progress->moves, 1);
    s.clickStone(5);
    EXPECT_EQ(s.lava->progress->moves, 2);
}

// The screen of each level, kept in build/screenshots/: lit stones stand out from dark ones.
TEST(LavaStonesTest, EachLevelShowsItsStonesLitAndDark) {
    for (int level = 1; level <= 4; level++) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        LavaScreen s(level);
        for (Stone* stone : s.stones()) stone->lit = stone->id % 2 == 0;
        s.lava->progress->moves = 1;
        s.lava->progress->refresh();
        s.frames(75);  // the brightness has settled
        std::string file = s.screenshot("lava-level" + std::to_string(level));
        int litSum = 0, darkSum = 0, lit = 0, dark = 0;
        for (Stone* stone : s.stones()) {
            int b = s.meanBrightness(s.stoneOnScreen(stone->id), 8);
            (stone->lit ? litSum : darkSum) += b;
            (stone->lit ? lit : dark) += 1;
        }
        ASSERT_GT(lit, 0);
        ASSERT_GT(dark, 0);
        EXPECT_GT(litSum / lit, 2 * (darkSum / dark)) << "see " << file;
        EXPECT_GT(darkSum / dark, 30) << "dark stones are still seen; see " << file;
        // The progress row's one fragment at the bottom middle, green.
        std::vector<int> fragment = s.pixel(Vector2(0.5f, 490.0f / 512 * 479 / 480));
        EXPECT_GT(fragment[1], 150) << "see " << file;
        EXPECT_LT(fragment[0], 120) << "see " << file;
    }
}

TEST(LavaStonesTest, AWinShowsItsFlashAndNovas) {
    LavaScreen s(3);
    setUpWinningClick(s, 2);
    s.frames(40);
    s.clickStone(2);
    s.frames(20);  // 0.4 s: the first volley has come, the flash is fading
    ASSERT_FALSE(s.inScene<Nova>(s.lava->stoneScene).empty());
    std::string file = s.screenshot("lava-win");
    // The flash whitens the whole screen, the corners too.
    std::vector<int> corner = s.pixel(Vector2(0.02f, 0.5f));
    EXPECT_GT(brightness(corner), 3 * 150) << "see " << file;
}

}  // namespace
