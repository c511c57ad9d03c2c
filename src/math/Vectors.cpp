// Serialisation of the vector types: each component as a little-endian float, in order.
// A short read leaves a component with what the 4-byte scratch already held.
#include <cstring>
#include <initializer_list>

#include "core/Buffer.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "math/Vector4.h"

namespace {

void writeFloats(Buffer* target, std::initializer_list<const float*> components) {
    for (const float* component : components) target->write(component, 4);
}

// One scratch for all components: a component cut off by the end of the stream keeps the
// bytes of the one before it (zeros before the first).
void readFloats(Buffer* source, std::initializer_list<float*> components) {
    unsigned char scratch[4] = {0, 0, 0, 0};
    for (float* component : components) {
        source->read(scratch, 4);
        memcpy(component, scratch, 4);
    }
}

}  // namespace

void Vector2::writeToBuffer(Buffer* target) { writeFloats(target, {&x, &y}); }
void Vector2::readFromBuffer(Buffer* source) { readFloats(source, {&x, &y}); }

void Vector3::writeToBuffer(Buffer* target) { writeFloats(target, {&x, &y, &z}); }
void Vector3::readFromBuffer(Buffer* source) { readFloats(source, {&x, &y, &z}); }

void Vector4::writeToBuffer(Buffer* target) { writeFloats(target, {&x, &y, &z, &w}); }
void Vector4::readFromBuffer(Buffer* source) { readFloats(source, {&x, &y, &z, &w}); }
