// Every start position a new game can have is solvable, at every level. Prints the most clicks
// any of them needs.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "game/lava/LavaStones.h"
#include "support/LavaSolver.h"

namespace {

int bitCount(int mask) {
    int n = 0;
    for (; mask; mask &= mask - 1) n++;
    return n;
}

TEST(LavaSolver, EveryStartPositionIsSolvable) {
    // Levels 1 to 3 start with 3 stones lit; level 4 with 1, 3 or 5. randomStates can light any
    // set of that size, as the draws below show.
    struct Case {
        int level;
        std::set<int> litCounts;
    };
    for (const Case& c : {Case{1, {3}}, Case{2, {3}}, Case{3, {3}}, Case{4, {1, 3, 5}}}) {
        int positions = 0, most = 0, mostAt = 0;
        for (int mask = 0; mask < 128; mask++) {
            if (c.litCounts.count(bitCount(mask)) == 0) continue;
            positions++;
            auto clicks = lavasolver::solve(c.level, mask);
            ASSERT_TRUE(clicks.has_value()) << "level " << c.level << ", position " << mask;
            // Replaying the clicks lights everything.
            int at = mask;
            for (int id : *clicks) at = lavasolver::afterClick(c.level, at, id);
            EXPECT_EQ(at, lavasolver::ALL_LIT);
            if (static_cast<int>(clicks->size()) > most) {
                most = static_cast<int>(clicks->size());
                mostAt = mask;
            }
        }
        printf("level %d: %d start positions, all solvable; the hardest (lit mask 0x%02X) needs %d clicks\n",
               c.level, positions, mostAt, most);
        RecordProperty("level" + std::to_string(c.level) + "MostClicks", most);
    }
}

TEST(LavaSolver, NewGamesReachEveryPositionOfTheirSize) {
    for (int level : {1, 4}) {
        std::set<int> seen;
        for (int round = 0; round < 20000; round++) {
            bool states[7];
            LavaStones::randomStates(states, LavaStones::drawLitCount(level));
            seen.insert(lavasolver::maskOf(states));
        }
        // 35 sets of three; at level 4 also 7 of one and 21 of five.
        EXPECT_EQ(seen.size(), level == 4 ? 63u : 35u) << "level " << level;
    }
}

TEST(LavaSolver, AnEvenNumberOfLitStonesCannotBeSolvedAtLevelFour) {
    // A click switches four stones, so the number lit keeps its parity; all seven is odd.
    EXPECT_FALSE(lavasolver::solve(4, 0).has_value());
    EXPECT_FALSE(lavasolver::solve(4, 0x03).has_value());
    EXPECT_TRUE(lavasolver::solve(4, 0x01).has_value());
    // Three-stone clicks on seven stones reach every position.
    for (int level : {1, 2, 3}) EXPECT_TRUE(lavasolver::solve(level, 0).has_value());
}

}  // namespace
