// The window box outside which a blended textured plane cannot change a pixel.
#include <gtest/gtest.h>

#include <vector>

#include "scene/ShownArea.h"

namespace {

// The corners and texture coordinates of a textured plane (as Mesh::generatePlane lays
// them) spanning clip space -1 to 1, drawn with the identity matrix into a 300 x 100
// viewport: texture u runs left to right over x 0 to 300, v bottom to top over y 0 to 100.
struct Plane {
    List<Vector3> positions;
    List<Vector2> texcoords;
    Plane(std::vector<Vector2> uv = {{0, 1}, {1, 1}, {1, 0}, {0, 0}}) {
        for (const Vector3& p :
             {Vector3(-1, 1, 0), Vector3(1, 1, 0), Vector3(1, -1, 0), Vector3(-1, -1, 0)}) {
            positions.add(p);
        }
        for (const Vector2& t : uv) texcoords.add(t);
    }
};

const Rect VIEWPORT{0, 0, 300, 100};

TEST(ShownArea, TheBoxOfShownTexelsWidenedByTheFilterReachInWindowPixels) {
    struct Case {
        const char* label;
        Rect shown;  // in a 100 x 100 texture, rows down from the top
        Rect viewport;
        Rect expected;
    };
    const std::vector<Case> cases = {
        {"the whole image", Rect{0, 0, 100, 100}, VIEWPORT, VIEWPORT},
        // Columns 10 to 89 with 2.5 texels of reach: u 0.075 to 0.925, x 22.5 to 277.5; rows
        // 40 to 59: v 0.375 to 0.625, y 37.5 to 62.5; whole pixels and one more around.
        {"a band across the middle", Rect{10, 40, 80, 20}, VIEWPORT, Rect{21, 36, 258, 28}},
        // The top rows of the image are the top of the window.
        {"a band near the top", Rect{5, 10, 90, 10}, VIEWPORT, Rect{6, 76, 288, 18}},
        // Repeat wrapping reaches across an edge that the box touches: that axis is whole.
        {"touching the left edge", Rect{0, 40, 10, 20}, VIEWPORT, Rect{0, 36, 300, 28}},
        {"touching the bottom edge", Rect{40, 90, 20, 10}, VIEWPORT, Rect{111, 0, 78, 100}},
        {"a viewport away from the origin", Rect{0, 0, 100, 100}, Rect{10, 20, 300, 100},
         Rect{10, 20, 300, 100}},
        {"every texel clear", Rect{}, VIEWPORT, Rect{}},
    };
    Plane plane;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Rect out{-1, -1, -1, -1};
        ASSERT_TRUE(ShownArea::windowRect(plane.positions, plane.texcoords, 100, 100, c.shown, Matrix4x4(),
                                          c.viewport, &out));
        EXPECT_EQ(out.x, c.expected.x);
        EXPECT_EQ(out.y, c.expected.y);
        EXPECT_EQ(out.width, c.expected.width);
        EXPECT_EQ(out.height, c.expected.height);
    }
}

TEST(ShownArea, TheBoxFollowsTheTransform) {
    // Scaled to half size and moved right by a quarter of the viewport (0.5 in clip space).
    Matrix4x4 m;
    m.translate(Vector3(0.5f, 0, 0));
    m.scale(Vector3(0.5f, 0.5f, 1));
    Plane plane;
    Rect out;
    ASSERT_TRUE(ShownArea::windowRect(plane.positions, plane.texcoords, 100, 100, Rect{0, 0, 100, 100}, m,
                                      VIEWPORT, &out));
    // x from 0 to 1 in clip space: 150 to 300; y from -0.5 to 0.5: 25 to 75; a pixel more on
    // every side, but not past the viewport.
    EXPECT_EQ(out.x, 149);
    EXPECT_EQ(out.y, 24);
    EXPECT_EQ(out.width, 151);
    EXPECT_EQ(out.height, 52);
}

TEST(ShownArea, NoBoxForWhatIsNotAPlainTexturedPlane) {
    Matrix4x4 behind;
    behind.m[15] = -1;  // w < 0 everywhere: behind the eye
    struct Case {
        const char* label;
        Plane plane;
        Matrix4x4 matrix;
    };
    const std::vector<Case> cases = {
        // A scrolled texture wraps around: its texels land anywhere on the plane.
        {"scrolled texture coordinates", Plane({{0.3f, 1}, {1.3f, 1}, {1.3f, 0}, {0.3f, 0}}), Matrix4x4()},
        {"three corners", Plane({{0, 1}, {1, 1}, {1, 0}}), Matrix4x4()},
        {"behind the eye", Plane(), behind},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Rect out;
        EXPECT_FALSE(ShownArea::windowRect(c.plane.positions, c.plane.texcoords, 100, 100,
                                           Rect{10, 40, 80, 20}, c.matrix, VIEWPORT, &out));
    }
}

}  // namespace
