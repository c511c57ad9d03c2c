// The lava-stones rules that need no window: which stones a click switches, start positions,
// the brightness rates, the spin axis, the click counter's row, the backdrop tables and the
// endless texture scrolls.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/Application.h"
#include "game/lava/Glitter.h"
#include "game/lava/LavaLevels.h"
#include "game/lava/LavaStones.h"
#include "game/lava/Progress.h"
#include "game/lava/Star.h"
#include "game/lava/Stone.h"
#include "render/TexcoordScroll.h"
#include "window/Timer.h"

namespace {

std::vector<int> switched(int level, int id) {
    int ids[4];
    int n = LavaStones::switchedIds(level, id, ids);
    return std::vector<int>(ids, ids + n);
}

TEST(LavaRules, AClickSwitchesTheStoneAndItsNeighboursById) {
    struct Case {
        int level;
        int id;
        std::vector<int> ids;  // in the order they are switched
    };
    const Case cases[] = {
        {1, 0, {0, 1, 6}},
        {1, 6, {6, 0, 5}},
        {1, 3, {3, 4, 2}},
        {2, 0, {0, 1, 6}},
        {2, 4, {4, 5, 3}},
        // Level 3 works by id too: the stone at ring position 1 has id 2.
        {3, 2, {2, 3, 1}},
        {3, 0, {0, 1, 6}},
        {4, 5, {5, 6, 0, 1}},
        {4, 0, {0, 1, 2, 3}},
        {4, 6, {6, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << ", stone " << c.id);
        EXPECT_EQ(switched(c.level, c.id), c.ids);
    }
}

TEST(LavaRules, TheRingCarriesTheIdsOutOfOrder) {
    // The stone at ring position 1 (id 2) has its id neighbours 1 and 3 at positions 0 and 3.
    const LavaLevels::Level& ring = LavaLevels::LEVEL_TABLE[2];
    ASSERT_TRUE(ring.ring);
    std::vector<int> ids;
    for (const LavaLevels::StoneSpot& s : ring.stones) ids.push_back(s.id);
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 5, 3, 6, 4, 0}));
    std::vector<int> positions;
    for (int id : switched(3, ring.stones[1].id)) {
        for (int k = 0; k < 7; k++) {
            if (ring.stones[k].id == id) positions.push_back(k);
        }
    }
    EXPECT_EQ(std::set<int>(positions.begin(), positions.end()), (std::set<int>{0, 1, 3}));
}

int litCount(const bool* states) {
    int n = 0;
    for (int i = 0; i < 7; i++) n += states[i] ? 1 : 0;
    return n;
}

TEST(LavaRules, StartPositionsLightExactlyTheCount) {
    struct Case {
        int count;
        int lit;
    };
    // At least one; at most seven, so a count above seven still ends.
    for (const Case c : {Case{3, 3}, Case{1, 1}, Case{5, 5}, Case{7, 7}, Case{0, 1}, Case{-4, 1}, Case{8, 7},
                         Case{100, 7}}) {
        for (int round = 0; round < 20; round++) {
            bool states[7];
            LavaStones::randomStates(states, c.count);
            EXPECT_EQ(litCount(states), c.lit) << "count " << c.count;
        }
    }
}

TEST(LavaRules, StartPositionsDrawOnlyForFreeEntriesInCyclicOrder) {
    // Replays the draws of a known sequence by hand: the entries are visited 0, 1, ..., 6, 0,
    // ...; an entry that is already lit costs no draw.
    for (unsigned seed : {1u, 7u, 12345u}) {
        srand(seed);
        std::vector<int> draws;
        for (int i = 0; i < 2000; i++) draws.push_back(rand() % 100);
        bool expected[7] = {};
        size_t used = 0;
        int set = 0;
        for (int entry = 0; set < 3; entry = (entry + 1) % 7) {
            if (expected[entry]) continue;
            ASSERT_LT(used, draws.size());
            if (draws[used++] < 11) {
                expected[entry] = true;
                set++;
            }
        }
        srand(seed);
        bool states[7];
        LavaStones::randomStates(states, 3);
        for (int i = 0; i < 7; i++) EXPECT_EQ(states[i], expected[i]) << "seed " << seed << ", entry " << i;
        // The next draw is the one after the last used.
        EXPECT_EQ(rand() % 100, draws[used]) << "seed " << seed;
    }
}

TEST(LavaRules, LevelFourStartsWithAnOddNumberLitAndDrawsItsCountFirst) {
    std::set<int> seen;
    for (int round = 0; round < 200; round++) {
        int count = LavaStones::drawLitCount(4);
        EXPECT_TRUE(count == 1 || count == 3 || count == 5) << count;
        seen.insert(count);
    }
    EXPECT_EQ(seen, (std::set<int>{1, 3, 5}));
    // The other levels start with three and draw nothing for it.
    for (int level : {1, 2, 3}) {
        srand(99);
        int next = rand();
        srand(99);
        EXPECT_EQ(LavaStones::drawLitCount(level), 3);
        EXPECT_EQ(rand(), next) << "level " << level;
    }
}

TEST(LavaRules, BrightnessRates) {
    // Lights up fully within 0.35 s, fades to dark within 1.4 s, and stays within 0.3 .. 1.
    struct Case {
        float from;
        bool lit;
        float dt;
        float to;
    };
    for (const Case c :
         {Case{0.3f, true, 0.1f, 0.5f}, Case{0.3f, true, 0.35f, 1.0f}, Case{0.9f, true, 0.2f, 1.0f},
          Case{1.0f, false, 0.2f, 0.9f}, Case{1.0f, false, 1.4f, 0.3f}, Case{0.4f, false, 1.0f, 0.3f},
          Case{0.3f, false, 0.02f, 0.3f}}) {
        EXPECT_NEAR(Stone::brightnessAfter(c.from, c.lit, c.dt), c.to, 1e-6)
            << c.from << (c.lit ? " lit " : " dark ") << c.dt;
    }
    float b = Stone::DARK;
    int frames = 0;
    while (b < 1.0f) {
        b = Stone::brightnessAfter(b, true, 0.02f);
        frames++;
    }
    EXPECT_LE(frames, 18);  // 0.35 s of 20 ms frames, rounded up
    frames = 0;
    while (b > Stone::DARK) {
        b = Stone::brightnessAfter(b, false, 0.02f);
        frames++;
    }
    EXPECT_LE(frames, 71);  // 70, and one for the rounding of the steps
}

TEST(LavaRules, SpinAxesAreUnitVectorsFromThreeDraws) {
    srand(5);
    int r1 = rand() % 100, r2 = rand() % 100, r3 = rand() % 100;
    int next = rand();
    srand(5);
    Vector3 axis = Stone::drawAxis();
    EXPECT_EQ(rand(), next) << "three draws, no more";
    Vector3 raw(r3 / 50.0f - 1, r2 / 50.0f - 1, r1 / 50.0f - 1);
    EXPECT_NEAR(axis.x, raw.x / length(raw), 1e-6);
    EXPECT_NEAR(axis.y, raw.y / length(raw), 1e-6);
    EXPECT_NEAR(axis.z, raw.z / length(raw), 1e-6);
    for (int i = 0; i < 1000; i++) EXPECT_NEAR(length(Stone::drawAxis()), 1.0f, 1e-5);
}

TEST(LavaRules, ThreeDrawsOfFiftyGiveTheVerticalAxis) {
    // Finds three draws of 50 in a row in a known sequence and replays up to them.
    srand(3);
    int run = 0;
    long index = 0;
    for (; index < 50000000 && run < 3; index++) run = rand() % 100 == 50 ? run + 1 : 0;
    ASSERT_EQ(run, 3) << "no three fifties in the sequence";
    srand(3);
    for (long i = 0; i < index - 3; i++) rand();
    Vector3 axis = Stone::drawAxis();
    EXPECT_EQ(axis, Vector3(0, 1, 0));
}

TEST(LavaRules, ProgressRowPositionsAndColours) {
    struct Case {
        int moves;
        std::vector<float> xs;  // centres relative to the row, which stands at x = 456
    };
    for (const Case& c : {Case{0, {}}, Case{1, {0}}, Case{2, {-6, 6}}, Case{3, {-12, 0, 12}}}) {
        std::vector<float> xs;
        for (int k = 0; k < c.moves; k++) xs.push_back(Progress::fragmentX(k, c.moves));
        EXPECT_EQ(xs, c.xs) << c.moves << " moves";
    }
    // At the cap the 8-unit fragments reach from x = 2 to x = 910.
    EXPECT_EQ(456 + Progress::fragmentX(0, 76) - 4, 2);
    EXPECT_EQ(456 + Progress::fragmentX(75, 76) + 4, 910);

    struct Shade {
        int moves;
        float r, g;
    };
    for (const Shade s : {Shade{0, 0, 1}, Shade{1, 0.1f, 1}, Shade{5, 0.5f, 1}, Shade{10, 1, 1},
                          Shade{15, 1, 0.5f}, Shade{20, 1, 0}, Shade{76, 1, 0}}) {
        Color c = Progress::colour(s.moves);
        EXPECT_NEAR(c.r, s.r, 1e-6) << s.moves;
        EXPECT_NEAR(c.g, s.g, 1e-6) << s.moves;
        EXPECT_EQ(c.b, 0.0f);
        EXPECT_EQ(c.a, 1.0f);
    }
}

TEST(LavaRules, StarTables) {
    EXPECT_EQ(std::size(LavaLevels::STARS), 9u);
    int big = 0;
    for (const LavaLevels::Sprite& s : LavaLevels::STARS) {
        big += s.big ? 1 : 0;
        EXPECT_TRUE(s.x > 0 && s.x < 1 && s.y > 0 && s.y < 1);
    }
    EXPECT_EQ(big, 4);
    EXPECT_EQ(LavaLevels::STARS[0].x, 0.245902f);
    EXPECT_EQ(LavaLevels::STARS[8].y, 0.791667f);
    EXPECT_EQ(std::size(LavaLevels::GLITTERS), 7u);

    // The twinkle: the keys at the points, and from the cycle's start to 0.2 s the alpha runs
    // from the last key back to the first.
    struct Case {
        bool big;
        float time;
        float alpha;
    };
    for (const Case c : {Case{true, 0.2f, 0.5f}, Case{true, 0.3f, 0.6f}, Case{true, 0.6f, 0.1f},
                         Case{true, 0.1f, 0.75f}, Case{true, 0.0f, 1.0f}, Case{false, 0.4f, 0.1f},
                         Case{false, 0.5f, 0.45f}, Case{false, 1.0f, 0.6f}, Case{false, 0.1f, 0.7f}}) {
        Timer timer(1);
        (c.big ? Star::BIG_TWINKLE : Star::SMALL_TWINKLE).setPointsOf(&timer);
        timer.loop = true;
        timer.start(c.time);
        EXPECT_NEAR(Star::alpha(&timer, c.big), c.alpha, 1e-5)
            << (c.big ? "big" : "small") << " at " << c.time;
    }
}

TEST(LavaRules, AGlitterRestsUnseenForMostOfItsCycle) {
    struct Case {
        float time;
        float size;
    };
    for (const Case c : {Case{0.5f, 0}, Case{3.9f, 0}, Case{4.1f, 8}, Case{4.2f, 16}, Case{4.3f, 8},
                         Case{4.4f, 0}, Case{7.0f, 0}, Case{9.99f, 0}}) {
        Timer timer(10);
        Glitter::FLARE.setPointsOf(&timer);
        timer.loop = true;
        timer.start(c.time);
        EXPECT_NEAR(Glitter::size(&timer), c.size, 1e-3) << "at " << c.time;
    }
}

TEST(LavaRules, ScrolledTexcoordsStayWithinOneUnitOfTheirStart) {
    struct Case {
        const char* what;
        std::vector<Vector2> corners;
        Vector2 step;
    };
    const Case cases[] = {
        {"clouds drift left", {{0, 1}, {1, 1}, {1, 0}, {0, 0}}, {-0.02f / 20, 0}},
        {"lava flows", {{0, 7}, {7, 7}, {7, 0}, {0, 0}}, {0, 0.02f / 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        List<Vector2> texcoords;
        for (const Vector2& v : c.corners) texcoords.add(v);
        TexcoordScroll scroll;
        scroll.begin(texcoords);
        // Ten seconds move the picture by half a unit.
        for (int frame = 0; frame < 500; frame++) scroll.advance(c.step, texcoords);
        EXPECT_NEAR(texcoords.at(0).x - c.corners[0].x, c.step.x * 500, 1e-4);
        EXPECT_NEAR(texcoords.at(0).y - c.corners[0].y, c.step.y * 500, 1e-4);
        // Three hours of frames: never more than a unit from the start, never out of shape.
        for (int frame = 0; frame < 540000; frame++) {
            scroll.advance(c.step, texcoords);
            for (int k = 0; k < 4; k++) {
                Vector2 t = texcoords.at(k);
                ASSERT_LE(std::fabs(t.x - c.corners[k].x), 1.0f) << "frame " << frame;
                ASSERT_LE(std::fabs(t.y - c.corners[k].y), 1.0f) << "frame " << frame;
            }
            ASSERT_NEAR(texcoords.at(1).x - texcoords.at(0).x, c.corners[1].x - c.corners[0].x, 1e-5);
            ASSERT_NEAR(texcoords.at(0).y - texcoords.at(3).y, c.corners[0].y - c.corners[3].y, 1e-5);
        }
    }
}

TEST(LavaRules, OnlyLevelsOneToFourExist) {
    Application app;
    for (int level : {0, 5, -1}) {
        try {
            LavaStones lava(&app, level);
            ADD_FAILURE() << "level " << level << " was built";
        } catch (const char* message) {
            EXPECT_EQ(std::string(message), "Lava stones level " + std::to_string(level) + " does not exist");
        }
    }
}

}  // namespace
