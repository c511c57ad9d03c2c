// Serialisation of the vector types: each component as a little-endian float, in order.
// A short read leaves a component with what the 4-byte scratch already held.
#include <cstring>

#include "render/Vector2.h"
#include "render/Vector3.h"
#include "render/Vector4.h"
#include "storage/Buffer.h"

namespace {

void writeFloats(Buffer* target, const float* values, int count) {
    for (int i = 0; i < count; i++) target->write(&values[i], 4);
}

void readFloats(Buffer* source, float* values, int count) {
    unsigned char scratch[4] = {0, 0, 0, 0};
    for (int i = 0; i < count; i++) {
        source->read(scratch, 4);
        memcpy(&values[i], scratch, 4);
    }
}

}  // namespace

void Vector2::writeToBuffer(Buffer* target) {
    float v[2] = {x, y};
    writeFloats(target, v, 2);
}
void Vector2::readFromBuffer(Buffer* source) {
    float v[2];
    readFloats(source, v, 2);
    x = v[0];
    y = v[1];
}

void Vector3::writeToBuffer(Buffer* target) {
    float v[3] = {x, y, z};
    writeFloats(target, v, 3);
}
void Vector3::readFromBuffer(Buffer* source) {
    float v[3];
    readFloats(source, v, 3);
    x = v[0];
    y = v[1];
    z = v[2];
}

void Vector4::writeToBuffer(Buffer* target) {
    float v[4] = {x, y, z, w};
    writeFloats(target, v, 4);
}
void Vector4::readFromBuffer(Buffer* source) {
    float v[4];
    readFloats(source, v, 4);
    x = v[0];
    y = v[1];
    z = v[2];
    w = v[3];
}
