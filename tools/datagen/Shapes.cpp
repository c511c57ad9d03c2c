// Distance functions for the generator's vector drawings.
#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace datagen {

float length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

float distanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    Vec2 pa = p - a;
    Vec2 ba = b - a;
    float denom = ba.x * ba.x + ba.y * ba.y;
    float h = denom > 0.0f ? std::clamp((pa.x * ba.x + pa.y * ba.y) / denom, 0.0f, 1.0f) : 0.0f;
    return length(pa - ba * h);
}

float distanceToArc(Vec2 p, Vec2 c, float r, float a0, float a1) {
    Vec2 d = p - c;
    float angle = std::atan2(d.y, d.x);
    const float tau = 6.2831853f;
    // Bring the angle into [a0, a0 + tau) and see whether it falls on the arc.
    while (angle < a0) angle += tau;
    while (angle >= a0 + tau) angle -= tau;
    if (angle <= a1) return std::fabs(length(d) - r);
    Vec2 e0 = c + Vec2{std::cos(a0), std::sin(a0)} * r;
    Vec2 e1 = c + Vec2{std::cos(a1), std::sin(a1)} * r;
    return std::min(length(p - e0), length(p - e1));
}

float signedDistanceToPolygon(Vec2 p, const std::vector<Vec2>& poly) {
    float d = 1e30f;
    bool inside = false;
    size_t n = poly.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        d = std::min(d, distanceToSegment(p, poly[j], poly[i]));
        const Vec2& a = poly[i];
        const Vec2& b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside ? -d : d;
}

float signedDistanceToRoundBox(Vec2 p, Vec2 centre, float hw, float hh, float r) {
    float qx = std::fabs(p.x - centre.x) - hw + r;
    float qy = std::fabs(p.y - centre.y) - hh + r;
    float outside = length(Vec2{std::max(qx, 0.0f), std::max(qy, 0.0f)});
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

void StrokeSet::line(Vec2 a, Vec2 b) { strokes.push_back(Stroke{false, a, b, 0.0f, 0.0f, 0.0f}); }

void StrokeSet::arc(Vec2 centre, float radius, float a0, float a1) {
    strokes.push_back(Stroke{true, centre, Vec2{}, radius, a0, a1});
}

float StrokeSet::distance(Vec2 p) const {
    float d = 1e30f;
    for (const Stroke& s : strokes) {
        d = std::min(d,
                     s.curved ? distanceToArc(p, s.a, s.radius, s.a0, s.a1) : distanceToSegment(p, s.a, s.b));
    }
    return d;
}

StrokeSet StrokeSet::transformed(float k, Vec2 offset, float angle) const {
    float c = std::cos(angle), sn = std::sin(angle);
    auto map = [&](Vec2 p) {
        return Vec2{(p.x * c - p.y * sn) * k + offset.x, (p.x * sn + p.y * c) * k + offset.y};
    };
    StrokeSet out;
    for (const Stroke& s : strokes) {
        Stroke t = s;
        t.a = map(s.a);
        t.b = map(s.b);
        t.radius = s.radius * k;
        t.a0 = s.a0 + angle;
        t.a1 = s.a1 + angle;
        out.strokes.push_back(t);
    }
    return out;
}

}  // namespace datagen
