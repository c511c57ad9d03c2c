// Signed distances to simple 2D shapes; anti-aliased edges and glows are derived from them.
// Negative inside, positive outside, in whatever unit the points are given in.
#pragma once

#include <vector>

namespace datagen {

struct Vec2 {
    float x = 0.0f, y = 0.0f;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return Vec2{a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return Vec2{a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float k) { return Vec2{a.x * k, a.y * k}; }

float length(Vec2 v);
// Unsigned distance to the segment ab.
float distanceToSegment(Vec2 p, Vec2 a, Vec2 b);
// Unsigned distance to the arc of the circle (c, r) from angle a0 to a1 (radians, a0 < a1).
float distanceToArc(Vec2 p, Vec2 c, float r, float a0, float a1);
// Signed distance to a simple polygon (either winding).
float signedDistanceToPolygon(Vec2 p, const std::vector<Vec2>& polygon);
// Signed distance to a rectangle of half extents (hw, hh) with rounded corners of radius r.
float signedDistanceToRoundBox(Vec2 p, Vec2 centre, float hw, float hh, float r);

// Pixel coverage of a shape edge for a signed distance in pixels (one-pixel ramp).
inline float coverage(float signedDistancePx) {
    float c = 0.5f - signedDistancePx;
    return c < 0.0f ? 0.0f : (c > 1.0f ? 1.0f : c);
}

// A line drawing made of straight and curved strokes of one width: runes, marks, icons.
class StrokeSet {
public:
    void line(Vec2 a, Vec2 b);
    void arc(Vec2 centre, float radius, float a0, float a1);
    void circle(Vec2 centre, float radius) { arc(centre, radius, 0.0f, 6.2831853f); }
    // Distance from p to the nearest stroke centre line.
    float distance(Vec2 p) const;
    // Every point is rotated by angle (radians), scaled by k and moved by offset.
    StrokeSet transformed(float k, Vec2 offset, float angle = 0.0f) const;

private:
    struct Stroke {
        bool curved;
        Vec2 a, b;  // segment ends, or the arc's centre in a
        float radius;
        float a0, a1;
    };
    std::vector<Stroke> strokes;
};

}  // namespace datagen
