// The mask pass read back from a real frame in both builds: a rune's mask writes depth in
// the shape of its symbol, so the border behind it is hidden inside that shape and shows
// outside it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "RunesGame.h"
#include "game/runes/Rune.h"
#include "scene/MeshRenderer.h"
#include "support/Png.h"
#include "window/Window.h"

namespace {

// 4 x 4, the left half of one colour and the right half of another.
std::string halves(std::vector<uint8_t> left, std::vector<uint8_t> right) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 4; y++) {
        for (int x = 0; x < 4; x++)
            pixels.insert(pixels.end(), x < 2 ? left.begin() : right.begin(),
                          x < 2 ? left.end() : right.end());
    }
    return png::encode(4, 4, png::RGBA, pixels);
}

std::string plain(std::vector<uint8_t> rgba) { return halves(rgba, rgba); }

TEST(RunesMaskTest, TheBorderShowsOnlyOutsideTheSymbolsShape) {
    const std::vector<uint8_t> clear = {0, 0, 0, 0};
    std::map<std::string, std::string> pictures = {
        {"runesBackground1.png", plain({0, 0, 0, 255})},
        {"runeborderbg.png", plain({255, 0, 0, 255})},
        {"runePoint.png", plain(clear)},
    };
    // Symbols that show nothing themselves; masks opaque on the left half only.
    for (int t = 1; t <= 4; t++) {
        pictures["rune" + std::to_string(t) + ".png"] = plain(clear);
        pictures["rune" + std::to_string(t) + "mask.png"] = halves({255, 255, 255, 255}, clear);
    }
    RunesGame g(1, runesPictures(pictures));
    // Fully shown: the border is opaque red.
    g.run(3);
    g.frame(0.02f);
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE("rune " + std::to_string(i));
        Rune* rune = g.rune(i);
        ASSERT_EQ(rune->border->ambientColor.a, 1.0f);
        Vector3 centre = rune->localMatrix.getBase();
        Vector2 inside = g.windowPointOf(Vector3(centre.x - 0.2f, centre.y, centre.z));
        Vector2 outside = g.windowPointOf(Vector3(centre.x + 0.2f, centre.y, centre.z));
        unsigned int hidden = g.pixel(static_cast<int>(inside.x * 854), static_cast<int>(inside.y * 480));
        unsigned int shown = g.pixel(static_cast<int>(outside.x * 854), static_cast<int>(outside.y * 480));
        EXPECT_LT(red(hidden), 8) << "inside the symbol's shape";
        EXPECT_GT(red(shown), 240) << "beside the symbol's shape";
        EXPECT_LT(green(shown), 8);
    }
}

}  // namespace
