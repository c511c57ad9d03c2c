// The display base class's letter-boxed viewport (its event handling is tested with a real
// shared layer in DisplayEventsTest).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Display.h"

// Found by argument-dependent lookup when gtest prints a Rect.
static std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

namespace {

using Strings = std::vector<std::string>;

TEST(DisplayTest, LetterboxKeepsTheDesignAspect) {
    struct Case {
        int w, h;
        Rect expected;
    };
    const std::vector<Case> cases = {
        // The float aspect lies just above 854 / 480, so the default window loses a row;
        // computing in float instead would give 480.
        {854, 480, {0, 0, 854, 479}},
        {1000, 500, {55, 0, 889, 500}},
        {854, 600, {0, 60, 854, 479}},
        {1920, 1080, {0, 0, 1920, 1079}},
        {480, 854, {0, 292, 480, 269}},
        {2560, 1080, {319, 0, 1921, 1080}},
        {800, 600, {0, 75, 800, 449}},
        // A sliver still gets a pixel each way: no camera may see a zero height.
        {1, 1, {0, 0, 1, 1}},
        {1, 600, {0, 299, 1, 1}},
    };
    Rect unchanged{1, 2, 3, 4};
    for (const Case& c : cases) {
        EXPECT_EQ(Display::letterbox(c.w, c.h, unchanged), c.expected) << c.w << " x " << c.h;
    }
}

TEST(DisplayTest, WindowWithoutAreaKeepsTheLastViewport) {
    Rect last{55, 0, 889, 500};
    const std::vector<std::pair<int, int>> sizes = {{0, 0}, {854, 0}, {0, 480}, {-5, 480}};
    for (const auto& [w, h] : sizes) {
        EXPECT_EQ(Display::letterbox(w, h, last), last) << w << " x " << h;
    }
}

}  // namespace
