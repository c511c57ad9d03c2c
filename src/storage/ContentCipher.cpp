#include "storage/ContentCipher.h"

#include "storage/Archive.h"

namespace {

// Bytes handled per pass: a multiple of the period, so every pass starts at the same phase
// and the inner loops are plain array additions the compiler can vectorise.
constexpr int BLOCK = ContentCipher::PERIOD * 39;

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

}  // namespace

void ContentCipher::encipher(unsigned char* data, long length, long start) {
    const unsigned char* key = STREAM.bytes + phaseOf(start);
    while (length > 0) {
        long n = length < BLOCK ? length : BLOCK;
        for (long i = 0; i < n; ++i) data[i] = static_cast<unsigned char>(data[i] + key[i]);
        data += n;
        length -= n;
    }
}

void ContentCipher::uncipher(unsigned char* data, long length, long start) {
    const unsigned char* key = STREAM.bytes + phaseOf(start);
    while (length > 0) {
        long n = length < BLOCK ? length : BLOCK;
        for (long i = 0; i < n; ++i) data[i] = static_cast<unsigned char>(data[i] - key[i]);
        data += n;
        length -= n;
    }
}
