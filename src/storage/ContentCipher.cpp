#include "storage/ContentCipher.h"

#include "storage/Archive.h"

namespace {

// Bytes handled per pass: a multiple of the period, so every pass starts at the same phase,
// and of 16, so the fixed-length loops below compile to plain vector additions.
constexpr int BLOCK = ContentCipher::PERIOD * 16 * 2;

struct KeyStream {
    unsigned char bytes[ContentCipher::PERIOD + BLOCK];

    constexpr KeyStream() : bytes() {
        for (int k = 0; k < ContentCipher::PERIOD + BLOCK; ++k) {
            bytes[k] = static_cast<unsigned char>(Archive::arc_cip[k % 3] + Archive::arc_cip2[k % 5] +
                                                  Archive::arc_cip3[k % 7]);
        }
    }
};

constexpr KeyStream STREAM;

int phaseOf(long start) {
    long phase = start % ContentCipher::PERIOD;
    return static_cast<int>(phase < 0 ? phase + ContentCipher::PERIOD : phase);
}

void addBlock(unsigned char* __restrict data, const unsigned char* __restrict key) {
    for (int i = 0; i < BLOCK; ++i) data[i] = static_cast<unsigned char>(data[i] + key[i]);
}

void subtractBlock(unsigned char* __restrict data, const unsigned char* __restrict key) {
    for (int i = 0; i < BLOCK; ++i) data[i] = static_cast<unsigned char>(data[i] - key[i]);
}

}  // namespace

void ContentCipher::encipher(unsigned char* data, long length, long start) {
    const unsigned char* key = STREAM.bytes + phaseOf(start);
    for (; length >= BLOCK; data += BLOCK, length -= BLOCK) addBlock(data, key);
    for (long i = 0; i < length; ++i) data[i] = static_cast<unsigned char>(data[i] + key[i]);
}

void ContentCipher::uncipher(unsigned char* data, long length, long start) {
    const unsigned char* key = STREAM.bytes + phaseOf(start);
    for (; length >= BLOCK; data += BLOCK, length -= BLOCK) subtractBlock(data, key);
    for (long i = 0; i < length; ++i) data[i] = static_cast<unsigned char>(data[i] - key[i]);
}
