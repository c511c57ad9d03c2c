// WAV chunk walks: RIFX header rewriting, and the check that declared chunks fit the file.
#include "audio/WavHeader.h"

#include <cstdint>
#include <cstring>

namespace {

void swap2(unsigned char* p) {
    unsigned char t = p[0];
    p[0] = p[1];
    p[1] = t;
}

void swap4(unsigned char* p) {
    unsigned char t = p[0];
    p[0] = p[3];
    p[3] = t;
    t = p[1];
    p[1] = p[2];
    p[2] = t;
}

uint32_t bigEndian32(unsigned char const* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

uint16_t bigEndian16(unsigned char const* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

uint32_t littleEndian32(unsigned char const* p) {
    return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | uint32_t(p[0]);
}

constexpr int FMT_FIELDS = 16;  // tag, channels, rate, byte rate, block align, bits
constexpr uint16_t PCM = 1;

}  // namespace

bool isRifxWav(unsigned char const* bytes, int size) {
    return bytes && size >= 12 && memcmp(bytes, "RIFX", 4) == 0 && memcmp(bytes + 8, "WAVE", 4) == 0;
}

bool rewriteRifxAsRiff(unsigned char* bytes, int size) {
    if (!isRifxWav(bytes, size)) return false;
    memcpy(bytes, "RIFF", 4);
    swap4(bytes + 4);

    bool formatSeen = false;
    long long offset = 12;
    while (offset + 8 <= size) {
        unsigned char* chunk = bytes + offset;
        const uint32_t length = bigEndian32(chunk + 4);
        swap4(chunk + 4);
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (length < FMT_FIELDS || offset + 8 + FMT_FIELDS > size) return false;
            unsigned char* fields = chunk + 8;
            const uint16_t tag = bigEndian16(fields);
            const uint16_t bits = bigEndian16(fields + 14);
            if (tag != PCM || (bits != 8 && bits != 16)) return false;
            swap2(fields);       // format tag
            swap2(fields + 2);   // channels
            swap4(fields + 4);   // sample rate
            swap4(fields + 8);   // byte rate
            swap2(fields + 12);  // block align
            swap2(fields + 14);  // bits per sample
            if (length >= FMT_FIELDS + 2 && offset + 8 + FMT_FIELDS + 2 <= size) swap2(fields + 16);
            formatSeen = true;
        }
        // Chunks are padded to an even length.
        offset += 8 + static_cast<long long>(length) + (length & 1);
    }
    return formatSeen;
}

bool wavChunksFit(unsigned char const* bytes, int size) {
    if (!bytes || size < 12 || memcmp(bytes, "RIFF", 4) != 0) return false;
    long long offset = 12;
    while (offset + 8 <= size) {
        unsigned char const* chunk = bytes + offset;
        const long long end = offset + 8 + static_cast<long long>(littleEndian32(chunk + 4));
        if (end > size) return false;
        if (memcmp(chunk, "data", 4) == 0) return true;
        offset = end + (end & 1);
    }
    return false;  // no "data" chunk
}
