// The runes teaser's rules that need no GL: how types and showing orders are drawn, the
// tables by level and stage, the slot schedules, the marks' places and which presses judge.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/runes/Rune.h"
#include "game/runes/Runes.h"
#include "support/Thrown.h"
#include "window/Timer.h"

namespace {

// How many runes got each type 0 to 3.
std::array<int, 4> countTypes(const int* values, int count) {
    std::array<int, 4> counts{};
    for (int i = 0; i < count; i++) {
        EXPECT_GE(values[i], 0);
        EXPECT_LT(values[i], 4);
        if (values[i] >= 0 && values[i] < 4) counts[static_cast<size_t>(values[i])]++;
    }
    return counts;
}

TEST(RunesRulesTest, EveryLevelAndStageDealsItsTypes) {
    struct Case {
        int level;
        int firstStage, lastStage;
        std::array<int, 4> counts;  // runes of type 0, 1, 2, 3
    };
    const Case cases[] = {
        {1, 0, 2, {2, 2, 0, 0}},
        {1, 3, 6, {1, 1, 1, 1}},
        // Level 2 never uses type 0.
        {2, 0, 2, {0, 3, 3, 0}},
        {2, 3, 6, {0, 2, 2, 2}},
        // Level 3 uses only types 1 and 2 early: type 3 finds no free rune.
        {3, 0, 2, {0, 4, 4, 0}},
        {3, 3, 6, {2, 2, 2, 2}},
    };
    for (const Case& c : cases) {
        for (int stage = c.firstStage; stage <= c.lastStage; stage++) {
            SCOPED_TRACE("level " + std::to_string(c.level) + ", stage " + std::to_string(stage));
            int count = Runes::levelTable(c.level).runeCount;
            TypeDraw draw = Runes::typeDrawAt(c.level, stage);
            // Many draws, since which runes get which type is random.
            for (int trial = 0; trial < 50; trial++) {
                int values[Runes::MAX_RUNES];
                Runes::randomValues(values, count, draw.kinds, draw.perKind);
                ASSERT_EQ(countTypes(values, count), c.counts);
            }
        }
    }
}

TEST(RunesRulesTest, TheTypesLandOnDifferentRunesFromTrialToTrial) {
    // Every rune of level 3 takes each early type sometime.
    std::array<std::array<bool, 4>, 8> seen{};
    for (int trial = 0; trial < 200; trial++) {
        int values[8];
        Runes::randomValues(values, 8, 4, 4);
        for (int i = 0; i < 8; i++) seen[static_cast<size_t>(i)][static_cast<size_t>(values[i])] = true;
    }
    for (const auto& rune : seen) {
        EXPECT_TRUE(rune[1]);
        EXPECT_TRUE(rune[2]);
    }
}

TEST(RunesRulesTest, AnOrderGivesEveryRuneItsOwnSlot) {
    for (int count : {4, 6, 8}) {
        for (int trial = 0; trial < 50; trial++) {
            int order[8];
            Runes::randomValues(order, count, count, 1);
            std::vector<int> slots(order, order + count);
            std::sort(slots.begin(), slots.end());
            for (int k = 0; k < count; k++) ASSERT_EQ(slots[static_cast<size_t>(k)], k) << count << " runes";
        }
    }
}

// The draws a call makes show in the generator's state afterwards: the next rand() of a
// sequence started from the same seed.
int nextDrawAfter(unsigned seed, int draws) {
    srand(seed);
    for (int i = 0; i < draws; i++) rand();
    return rand();
}

TEST(RunesRulesTest, NoDrawIsMadeWhereNothingIsToBeDealt) {
    int values[8] = {5, 5, 5, 5, 5, 5, 5, 5};
    // Fewer than two kinds: everything 0, nothing drawn.
    srand(17);
    Runes::randomValues(values, 8, 1, 4);
    int next = rand();
    EXPECT_EQ(next, nextDrawAfter(17, 0));
    for (int v : values) EXPECT_EQ(v, 0);

    // Level 3's early deal: after types 1 and 2 no rune is free, so type 3 draws nothing and
    // the deal leaves the generator where a deal of only types 1 and 2 leaves it.
    srand(23);
    int withThree[8];
    Runes::randomValues(withThree, 8, 4, 4);
    int afterWithThree = rand();
    srand(23);
    int withoutThree[8];
    Runes::randomValues(withoutThree, 8, 3, 4);
    EXPECT_EQ(afterWithThree, rand());
    EXPECT_TRUE(std::equal(withThree, withThree + 8, withoutThree));
}

TEST(RunesRulesTest, EachFreeEntryDrawsOnceAPassAndTakesTheValueBelowEleven) {
    // Two entries, two kinds, one each: the first pass draws for entry 0 and entry 1 until one
    // of the draws (mod 100) is below 11; the entry that drew it takes the value.
    for (unsigned seed = 1; seed < 40; seed++) {
        srand(seed);
        std::vector<int> draws;
        for (int i = 0; i < 200; i++) draws.push_back(rand() % 100);
        size_t winner = 0;
        while (draws[winner] >= 11) winner++;
        srand(seed);
        int values[2];
        Runes::randomValues(values, 2, 2, 1);
        EXPECT_EQ(values[winner % 2], 1) << "seed " << seed;
        EXPECT_EQ(values[(winner + 1) % 2], 0) << "seed " << seed;
        int next = rand();
        EXPECT_EQ(next, nextDrawAfter(seed, static_cast<int>(winner) + 1)) << "seed " << seed;
    }
}

TEST(RunesRulesTest, StagesShowTheirWay) {
    struct Case {
        int stage;
        Showing showing;
        bool spinning;
    };
    const Case cases[] = {
        {0, Showing::ALL_TOGETHER, false}, {1, Showing::ALL_TOGETHER, true}, {2, Showing::BY_INDEX, false},
        {3, Showing::ALL_TOGETHER, false}, {4, Showing::ALL_TOGETHER, true}, {5, Showing::BY_INDEX, false},
        {6, Showing::RANDOM_ORDER, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Runes::showingAt(c.stage).showing, c.showing) << "stage " << c.stage;
        EXPECT_EQ(Runes::showingAt(c.stage).spinning, c.spinning) << "stage " << c.stage;
    }
}

TEST(RunesRulesTest, LevelsHoldTheirRunesAndBackdrops) {
    struct Case {
        int level;
        int runeCount;
        const char* backdrop;
    };
    for (const Case& c : {Case{1, 4, "runesBackground1.png"}, Case{2, 6, "runesBackground2.png"},
                          Case{3, 8, "runesBackground3.png"}}) {
        EXPECT_EQ(Runes::levelTable(c.level).runeCount, c.runeCount);
        EXPECT_STREQ(Runes::levelTable(c.level).backdrop, c.backdrop);
    }
    EXPECT_EQ(thrownMessage([] { Runes::levelTable(0); }), "Runes level 0 does not exist\n");
    EXPECT_EQ(thrownMessage([] { Runes::levelTable(4); }), "Runes level 4 does not exist\n");
}

// The rune's opacity t seconds into its showing.
float alphaAt(const float* points, float t) {
    Timer timer(Rune::SHOW_TIME);
    timer.setIntervals(Rune::SHOW_POINTS, points);
    timer.start(0);
    timer.animate(t);
    return Rune::showAlpha(&timer);
}

TEST(RunesRulesTest, EightRunesEachShowInTheirOwnThreeQuartersOfASecond) {
    for (int k = 0; k < 8; k++) {
        SCOPED_TRACE("rune " + std::to_string(k));
        float points[Rune::SHOW_POINTS];
        Rune::slotSchedule(k, 8, points);
        float slot = 0.75f * static_cast<float>(k);
        EXPECT_FLOAT_EQ(points[0], 0);
        EXPECT_FLOAT_EQ(points[5], 7);
        // Fully visible from 0.75 k + 0.1875 to 0.75 k + 0.375 s.
        EXPECT_NEAR(alphaAt(points, slot + 0.1875f), 1, 1e-4);
        EXPECT_NEAR(alphaAt(points, slot + 0.28f), 1, 1e-4);
        EXPECT_NEAR(alphaAt(points, slot + 0.375f), 1, 1e-4);
        // Fading in before, out after, hidden outside its slot.
        EXPECT_NEAR(alphaAt(points, slot + 0.09375f), 0.5f, 1e-3);
        EXPECT_NEAR(alphaAt(points, slot + 0.46875f), 0.5f, 1e-3);
        EXPECT_NEAR(alphaAt(points, slot + 0.5625f), 0, 1e-4);
        if (k > 0) {
            EXPECT_NEAR(alphaAt(points, slot - 0.05f), 0, 1e-4);
        }
        EXPECT_NEAR(alphaAt(points, 6.9f), 0, 1e-4);
    }
}

TEST(RunesRulesTest, SlotsShareTheFirstSixSecondsAmongTheRunes) {
    for (int count : {4, 6}) {
        float step = 6.0f / static_cast<float>(count);
        for (int k = 0; k < count; k++) {
            float points[Rune::SHOW_POINTS];
            Rune::slotSchedule(k, count, points);
            const float expected[] = {
                0, k * step, k * step + step / 4, k * step + step / 2, k * step + 3 * step / 4, 7};
            for (int i = 0; i < Rune::SHOW_POINTS; i++) EXPECT_FLOAT_EQ(points[i], expected[i]);
        }
    }
}

TEST(RunesRulesTest, AllTogetherTheRunesShowFromOneToSixSeconds) {
    float points[Rune::SHOW_POINTS];
    for (int i = 0; i < Rune::SHOW_POINTS; i++) points[i] = Rune::SHOWING_ALL_TOGETHER.keys[i].time;
    EXPECT_NEAR(alphaAt(points, 0.0f), 0, 1e-4);
    EXPECT_NEAR(alphaAt(points, 0.5f), 0.5f, 1e-4);
    EXPECT_NEAR(alphaAt(points, 1.0f), 1, 1e-4);
    EXPECT_NEAR(alphaAt(points, 5.9f), 1, 1e-4);
    EXPECT_NEAR(alphaAt(points, 6.5f), 0.5f, 1e-4);
    EXPECT_NEAR(alphaAt(points, 7.0f), 0, 1e-4);
}

TEST(RunesRulesTest, MarksFormAColumnPerStageAndARowPerWrongAnswer) {
    struct Case {
        int stage, failures;
        float x, y;
    };
    const Case cases[] = {
        {0, 0, -1.05f, 0},     {1, 0, -0.75f, 0},     {3, 0, -0.15f, 0},    {6, 0, 0.75f, 0},
        {0, 1, -1.05f, -0.3f}, {2, 2, -0.45f, -0.6f}, {6, 3, 0.75f, -0.9f},
    };
    for (const Case& c : cases) {
        Vector2 at = Runes::markPosition(c.stage, c.failures);
        EXPECT_NEAR(at.x, c.x, 1e-5) << c.stage << ", " << c.failures;
        EXPECT_NEAR(at.y, c.y, 1e-5) << c.stage << ", " << c.failures;
    }
}

TEST(RunesRulesTest, OnlyThePlayingStagesJudgeACheck) {
    for (int stage = 0; stage < 7; stage++) EXPECT_TRUE(Runes::judgesAt(stage)) << stage;
    EXPECT_FALSE(Runes::judgesAt(7));
    EXPECT_FALSE(Runes::judgesAt(8));
}

}  // namespace
