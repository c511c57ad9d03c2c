// Solves a lava-stones position: the shortest list of stone ids whose clicks light all seven
// stones, by breadth-first search over the 128 positions. Used by the solver check and by the
// tests that play a level to its end.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "game/lava/LavaStones.h"

namespace lavasolver {

// A position as a bit mask: bit i set when the stone with id i is lit.
inline constexpr int ALL_LIT = 0x7F;

inline int maskOf(const bool lit[7]) {
    int mask = 0;
    for (int i = 0; i < 7; i++) mask |= lit[i] ? 1 << i : 0;
    return mask;
}

// The position after a click on stone `id`.
inline int afterClick(int level, int mask, int id) {
    int ids[4];
    int n = LavaStones::switchedIds(level, id, ids);
    for (int k = 0; k < n; k++) mask ^= 1 << ids[k];
    return mask;
}

// The clicks (stone ids, in order) from `mask` to all lit; nothing when it cannot be solved.
inline std::optional<std::vector<int>> solve(int level, int mask) {
    std::array<int, 128> from;
    std::array<int, 128> click;
    from.fill(-1);
    from[mask] = mask;
    std::vector<int> queue{mask};
    for (size_t head = 0; head < queue.size() && from[ALL_LIT] < 0; head++) {
        int at = queue[head];
        for (int id = 0; id < 7; id++) {
            int next = afterClick(level, at, id);
            if (from[next] >= 0) continue;
            from[next] = at;
            click[next] = id;
            queue.push_back(next);
        }
    }
    if (from[ALL_LIT] < 0) return std::nullopt;
    std::vector<int> clicks;
    for (int at = ALL_LIT; at != mask; at = from[at]) clicks.insert(clicks.begin(), click[at]);
    return clicks;
}

}  // namespace lavasolver
