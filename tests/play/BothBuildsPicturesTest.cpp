// The shader build and the fixed-function build show the same pictures: for each display,
// the two builds' pictures of the same moment (DisplayPicturesTest, run before this one in
// each build) differ by less than MAX_DIFFERENCE percent of full scale, as a mean over every
// channel of every pixel. Prints the figure of each display.
//
// What may differ: the fixed-function build lights per vertex with the fixed pipeline and
// draws into the 16-bit video mode it asks for, so smooth gradients band by a few levels; the
// edges of textures and polygons may fall a pixel apart. Anything larger is a picture
// drawn differently.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "play/DisplayPictures.h"

namespace {

constexpr double MAX_DIFFERENCE = 2.0;

TEST(BothBuildsPictures, EveryDisplayLooksTheSameInBothBuilds) {
    using namespace display_pictures;
    Screenshot previous;
    for (const std::string& name : displayNames()) {
        SCOPED_TRACE(name);
        Screenshot shader = readPicture(picturePath("shader", name));
        Screenshot fixed = readPicture(picturePath("fixed", name));
        ASSERT_FALSE(shader.empty()) << picturePath("shader", name);
        ASSERT_FALSE(fixed.empty()) << picturePath("fixed", name);
        ASSERT_FALSE(shader.black()) << picturePath("shader", name);
        const double difference = meanDifferencePercent(shader, fixed);
        printf("%-8s mean absolute difference %.3f %%\n", name.c_str(), difference);
        ASSERT_GE(difference, 0) << "sizes " << shader.width << "x" << shader.height << " and " << fixed.width
                                 << "x" << fixed.height;
        EXPECT_LT(difference, MAX_DIFFERENCE)
            << picturePath("shader", name) << " and " << picturePath("fixed", name);
        // The measure tells displays apart: each picture is its own display's.
        if (!previous.empty()) {
            EXPECT_GT(meanDifferencePercent(previous, shader), 5 * MAX_DIFFERENCE);
        }
        previous = shader;
    }
}

}  // namespace
