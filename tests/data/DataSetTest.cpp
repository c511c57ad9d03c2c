// The generated pictures: every name the game asks for exists, decodes to a format the
// texture loader takes, and has the properties the game's drawing relies on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <vector>

#include "data/DataFiles.h"
#include "data/DataSetNames.h"

using datatest::BACKDROPS;
using datatest::BLENDED;
using datatest::channel;
using datatest::DATA_SET;
using datatest::dataPath;
using datatest::loadPicture;

namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool isPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

// Mean absolute difference (all four channels) between column a and column b, or between
// row a and row b.
double lineDifference(const SDL_Surface* s, bool columns, int a, int b) {
    int length = columns ? s->h : s->w;
    double sum = 0.0;
    for (int i = 0; i < length; ++i) {
        for (int c = 0; c < 4; ++c) {
            float va = columns ? channel(s, a, i, c) : channel(s, i, a, c);
            float vb = columns ? channel(s, b, i, c) : channel(s, i, b, c);
            sum += std::fabs(va - vb);
        }
    }
    return sum / (length * 4.0);
}

// A picture joins seamlessly along an axis when stepping over its wrap-around (last line to
// first) changes it about as little as stepping between neighbouring lines inside it.
struct SeamReport {
    double seam;
    double neighbours;
};

SeamReport seamAcross(const SDL_Surface* s, bool columns) {
    int n = columns ? s->w : s->h;
    double neighbours = 0.0;
    for (int i = 0; i + 1 < n; ++i) neighbours += lineDifference(s, columns, i, i + 1);
    neighbours /= (n - 1);
    return SeamReport{lineDifference(s, columns, n - 1, 0), neighbours};
}

bool seamless(const SeamReport& r) { return r.seam <= 2.0 * r.neighbours + 0.002; }

}  // namespace

TEST(DataSet, EveryNameTheGameLoadsExistsAndIsNotEmpty) {
    for (const char* name : DATA_SET) {
        struct stat info {};
        ASSERT_EQ(stat(dataPath(name).c_str(), &info), 0) << name;
        EXPECT_GT(info.st_size, 0) << name;
    }
}

TEST(DataSet, PicturesDecodeAsTruecolourWithPowerOfTwoSides) {
    for (const char* name : DATA_SET) {
        if (!endsWith(name, ".png")) continue;
        auto picture = loadPicture(dataPath(name));
        ASSERT_TRUE(picture) << name << ": " << IMG_GetError();
        int bytes = picture->format->BytesPerPixel;
        EXPECT_TRUE(bytes == 3 || bytes == 4) << name << " has " << bytes << " bytes per pixel";
        EXPECT_TRUE(isPowerOfTwo(picture->w) && isPowerOfTwo(picture->h))
            << name << " is " << picture->w << " x " << picture->h;
    }
}

TEST(DataSet, BlendedPicturesCarryAlpha) {
    for (const char* name : BLENDED) {
        auto picture = loadPicture(dataPath(name));
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(picture->format->BytesPerPixel, 4) << name;
        EXPECT_NE(picture->format->Amask, 0u) << name;
    }
}

TEST(DataSet, BackdropsAre1024By512AndOpaque) {
    for (const char* name : BACKDROPS) {
        auto picture = loadPicture(dataPath(name));
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(picture->w, 1024) << name;
        EXPECT_EQ(picture->h, 512) << name;
        // Drawn without blending when RGB; any alpha they carried would be lost anyway.
        for (int y = 0; y < picture->h; y += 37) {
            for (int x = 0; x < picture->w; x += 41) ASSERT_EQ(channel(picture.get(), x, y, 3), 1.0f) << name;
        }
    }
}

TEST(DataSet, ScrollingAndRepeatingPicturesJoinWithoutSeams) {
    struct Case {
        const char* name;
        bool acrossColumns;  // left edge meets right edge
        bool acrossRows;     // top edge meets bottom edge
    };
    const Case cases[] = {
        {"lava.png", true, true},  // the lava floor repeats it seven times each way
        {"water.png", true, true},         {"green_lava.png", true, true},
        {"clouds.png", true, false},        // scrolls sideways
        {"runeborderbg.png", false, true},  // scrolls upwards
    };
    for (const Case& c : cases) {
        auto picture = loadPicture(dataPath(c.name));
        ASSERT_TRUE(picture) << c.name;
        if (c.acrossColumns) {
            SeamReport r = seamAcross(picture.get(), true);
            EXPECT_TRUE(seamless(r)) << c.name << " left/right seam " << r.seam << " vs neighbours "
                                     << r.neighbours;
        }
        if (c.acrossRows) {
            SeamReport r = seamAcross(picture.get(), false);
            EXPECT_TRUE(seamless(r)) << c.name << " top/bottom seam " << r.seam << " vs neighbours "
                                     << r.neighbours;
        }
    }
}

TEST(DataSet, SeamCheckRejectsPicturesThatDoNotTile) {
    // The same measure on detailed pictures that were never meant to tile must fail, or the
    // test above would prove nothing.
    const char* notTiling[] = {"stars2.png", "runesBackground1.png"};
    for (const char* name : notTiling) {
        auto picture = loadPicture(dataPath(name));
        ASSERT_TRUE(picture) << name;
        EXPECT_FALSE(seamless(seamAcross(picture.get(), true))) << name;
    }
    // Tiling pictures cut short no longer join, though they have the same grain.
    for (const char* name : {"lava.png", "water.png"}) {
        auto whole = loadPicture(dataPath(name));
        ASSERT_TRUE(whole) << name;
        SDL_Rect part{0, 0, whole->w * 3 / 4, whole->h * 5 / 8};
        datatest::Surface cut(SDL_CreateRGBSurfaceWithFormat(0, part.w, part.h, 24, SDL_PIXELFORMAT_RGB24));
        ASSERT_TRUE(cut);
        ASSERT_EQ(SDL_BlitSurface(whole.get(), &part, cut.get(), nullptr), 0);
        EXPECT_FALSE(seamless(seamAcross(cut.get(), true))) << name;
        EXPECT_FALSE(seamless(seamAcross(cut.get(), false))) << name;
    }
}

TEST(DataSet, RuneMasksHaveTheirSymbolsShape) {
    std::vector<std::vector<bool>> masks;
    for (int k = 1; k <= 4; ++k) {
        std::string n = std::to_string(k);
        auto symbol = loadPicture(dataPath("rune" + n + ".png"));
        auto mask = loadPicture(dataPath("rune" + n + "mask.png"));
        ASSERT_TRUE(symbol && mask) << k;
        ASSERT_EQ(symbol->w, mask->w);
        ASSERT_EQ(symbol->h, mask->h);
        int strokes = 0, inside = 0, total = symbol->w * symbol->h;
        std::vector<bool> shape(static_cast<size_t>(total));
        for (int y = 0; y < symbol->h; ++y) {
            for (int x = 0; x < symbol->w; ++x) {
                float s = channel(symbol.get(), x, y, 3);
                float m = channel(mask.get(), x, y, 3);
                // Where the symbol's stroke is solid the mask passes the game's alpha > 0.5
                // test; where the symbol shows nothing the mask is fully transparent.
                if (s >= 0.99f) {
                    ++strokes;
                    EXPECT_GT(m, 0.5f) << "rune" << k << "mask at " << x << "," << y;
                }
                if (s <= 0.02f) {
                    EXPECT_EQ(m, 0.0f) << "rune" << k << "mask at " << x << "," << y;
                }
                if (m > 0.5f) ++inside;
                shape[static_cast<size_t>(y * symbol->w + x)] = m > 0.5f;
            }
        }
        EXPECT_GT(strokes, total / 50) << "rune" << k << " has hardly any solid stroke";
        EXPECT_GT(inside, total / 25) << "rune" << k << "mask";
        EXPECT_LT(inside, total / 2) << "rune" << k << "mask";
        masks.push_back(shape);
    }
    // The four symbols must be told apart at a glance: no two masks overlap much.
    for (size_t a = 0; a < masks.size(); ++a) {
        for (size_t b = a + 1; b < masks.size(); ++b) {
            size_t both = 0, either = 0;
            for (size_t i = 0; i < masks[a].size(); ++i) {
                both += masks[a][i] && masks[b][i];
                either += masks[a][i] || masks[b][i];
            }
            EXPECT_LT(static_cast<double>(both) / either, 0.5) << "rune" << a + 1 << " and rune" << b + 1;
        }
    }
}

TEST(DataSet, TintedPicturesAreWhite) {
    // The game colours these by tint (marks, texts, dots, stars, the fade layer); a tint can
    // only show its colour over white.
    const char* tinted[] = {"successIcon.png", "failIcon.png", "check_text.png",
                            "fullscreen.png",  "point.png",    "progressFragment.png",
                            "pixel.png",       "rune1.png",    "rune2.png",
                            "rune3.png",       "rune4.png"};
    for (const char* name : tinted) {
        auto picture = loadPicture(dataPath(name));
        ASSERT_TRUE(picture) << name;
        int solid = 0;
        for (int y = 0; y < picture->h; ++y) {
            for (int x = 0; x < picture->w; ++x) {
                if (channel(picture.get(), x, y, 3) < 0.95f) continue;
                ++solid;
                for (int c = 0; c < 3; ++c) ASSERT_GE(channel(picture.get(), x, y, c), 0.75f) << name;
            }
        }
        EXPECT_GT(solid, picture->w * picture->h / 200) << name << " has almost nothing solid";
    }
}

TEST(DataSet, FadePixelIsOpaqueWhite) {
    auto pixel = loadPicture(dataPath("pixel.png"));
    ASSERT_TRUE(pixel);
    for (int y = 0; y < pixel->h; ++y) {
        for (int x = 0; x < pixel->w; ++x) {
            for (int c = 0; c < 4; ++c) EXPECT_EQ(channel(pixel.get(), x, y, c), 1.0f);
        }
    }
}

TEST(DataSet, IconsAreTwoToOneCardsWithTransparentCorners) {
    for (int k = 1; k <= 8; ++k) {
        std::string name = "icon" + std::to_string(k) + ".png";
        auto icon = loadPicture(dataPath(name));
        ASSERT_TRUE(icon) << name;
        EXPECT_EQ(icon->w, 2 * icon->h) << name;
        EXPECT_EQ(channel(icon.get(), 0, 0, 3), 0.0f) << name;
        EXPECT_EQ(channel(icon.get(), icon->w - 1, icon->h - 1, 3), 0.0f) << name;
        EXPECT_EQ(channel(icon.get(), icon->w / 2, icon->h / 2, 3), 1.0f) << name;
    }
}
