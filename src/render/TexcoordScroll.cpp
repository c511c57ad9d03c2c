#include "render/TexcoordScroll.h"

namespace {

float wrapped(float v) {
    if (v < -1) return v + 1;
    if (v > 1) return v - 1;
    return v;
}

}  // namespace

void TexcoordScroll::begin(const List<Vector2>& texcoords) {
    start = texcoords;
    offset = Vector2();
}

void TexcoordScroll::advance(Vector2 step, List<Vector2>& texcoords) {
    offset = Vector2(wrapped(offset.x + step.x), wrapped(offset.y + step.y));
    for (int k = 0; k < start.size() && k < texcoords.size(); k++) texcoords.at(k) = start.at(k) + offset;
}
