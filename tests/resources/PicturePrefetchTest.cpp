// Pictures decoded ahead on a worker: each is handed over once, in full; names not asked for
// give nothing; what nobody took is freed at release (the sanitizer build's leak checker
// watches that).
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/List.h"
#include "resources/PicturePrefetch.h"
#include "resources/Resources.h"
#include "support/Png.h"
#include "support/RegistryFixture.h"

namespace {

std::string picture(int width, int height, png::ColorType type, uint8_t seed) {
    const int channels = type == png::RGBA ? 4 : 3;
    std::vector<uint8_t> samples(static_cast<size_t>(width) * height * channels);
    for (size_t i = 0; i < samples.size(); i++) samples[i] = static_cast<uint8_t>(seed + 37 * i);
    return png::encode(width, height, type, samples);
}

List<const char*> namesOf(std::initializer_list<const char*> names) {
    List<const char*> list;
    for (const char* name : names) list.add(name);
    return list;
}

using PicturePrefetchTest = RegistryFixture;

TEST_F(PicturePrefetchTest, EachPictureIsHandedOverOnceAndOnlyWhenAskedFor) {
    dataFile("wide.png", picture(8, 2, png::RGBA, 1));
    dataFile("tall.png", picture(3, 5, png::RGB, 2));
    // A name given twice is read once; damaged and missing pictures give nothing.
    dataFile("damaged.png", "not a PNG file");
    PicturePrefetch::start(namesOf({"wide.png", "tall.png", "wide.png", "damaged.png", "missing.png"}));

    SDL_Surface* tall = PicturePrefetch::take("tall.png");
    ASSERT_NE(tall, nullptr);
    EXPECT_EQ(tall->w, 3);
    EXPECT_EQ(tall->h, 5);
    EXPECT_EQ(tall->format->BytesPerPixel, 3);
    SDL_FreeSurface(tall);
    EXPECT_EQ(PicturePrefetch::take("tall.png"), nullptr);
    EXPECT_EQ(PicturePrefetch::take("damaged.png"), nullptr);
    EXPECT_EQ(PicturePrefetch::take("missing.png"), nullptr);
    EXPECT_EQ(PicturePrefetch::take("never-named.png"), nullptr);
    // "wide.png" is left to the release.
}

TEST_F(PicturePrefetchTest, ANewStartAfterTheReleaseReadsAgain) {
    dataFile("one.png", picture(2, 2, png::RGBA, 3));
    PicturePrefetch::start(namesOf({"one.png"}));
    Resources::release();
    PicturePrefetch::start(namesOf({"one.png"}));
    SDL_Surface* again = PicturePrefetch::take("one.png");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->w, 2);
    SDL_FreeSurface(again);
}

}  // namespace
