// The field transforms of the pack format: how the trailer, password, offsets, counts and
// sizes are stored. Each Write step is undone by its Read step; integers are little-endian.
#pragma once

#include <cstdint>

class PackTransform {
public:
    static void trailerWrite(unsigned char bytes[4]);
    static void trailerRead(unsigned char bytes[4]);
    static void passwordWrite(unsigned char* bytes, int length);
    static void passwordRead(unsigned char* bytes, int length);
    static void offsetWrite(unsigned char bytes[4]);
    static void offsetRead(unsigned char bytes[4]);
    static void countWrite(unsigned char bytes[4]);
    static void countRead(unsigned char bytes[4]);
    static void sizeWrite(unsigned char bytes[4]);
    static void sizeRead(unsigned char bytes[4]);

    static void putInt32(unsigned char bytes[4], int32_t value);
    static int32_t getInt32(const unsigned char bytes[4]);
};
