// Helpers for the audio tests: WAV files built in memory or by sox, environment overrides,
// and a reader for the stereo 16-bit frames the mixer writes.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "storage/Buffer.h"

namespace audiotest {

inline void put16(std::vector<unsigned char>& out, uint16_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

inline void put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

// A little-endian RIFF WAVE file with one PCM "fmt " chunk and one "data" chunk.
inline std::vector<unsigned char> riffWav(int channels, int rate, int bits,
                                          const std::vector<unsigned char>& samples) {
    std::vector<unsigned char> out;
    const int blockAlign = channels * bits / 8;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(out, static_cast<uint32_t>(36 + samples.size() + (samples.size() & 1)));
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, 16);
    put16(out, 1);
    put16(out, static_cast<uint16_t>(channels));
    put32(out, static_cast<uint32_t>(rate));
    put32(out, static_cast<uint32_t>(rate * blockAlign));
    put16(out, static_cast<uint16_t>(blockAlign));
    put16(out, static_cast<uint16_t>(bits));
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, static_cast<uint32_t>(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    if (samples.size() & 1) out.push_back(0);
    return out;
}

// Little-endian bytes of signed 16-bit samples.
inline std::vector<unsigned char> bytesOf(const std::vector<int16_t>& samples) {
    std::vector<unsigned char> out;
    for (int16_t s : samples) put16(out, static_cast<uint16_t>(s));
    return out;
}

// A new Buffer holding `bytes` (owned by the caller).
inline Buffer* bufferOf(const std::vector<unsigned char>& bytes) {
    Buffer* buffer = new Buffer();
    buffer->write(bytes.data(), static_cast<int>(bytes.size()));
    return buffer;
}

inline std::vector<unsigned char> bytesOfString(const std::string& text) {
    return std::vector<unsigned char>(text.begin(), text.end());
}

// The interleaved 16-bit samples of a mixed stream.
inline std::vector<int16_t> samplesOf(const std::vector<unsigned char>& stream) {
    std::vector<int16_t> out(stream.size() / 2);
    if (!out.empty()) memcpy(out.data(), stream.data(), out.size() * 2);
    return out;
}

// Sets an environment variable for the lifetime of the object, then puts back what was there.
class EnvOverride {
public:
    EnvOverride(const char* name, const char* value) : name(name) {
        const char* old = getenv(name);
        hadValue = old != nullptr;
        if (old) previous = old;
        setenv(name, value, 1);
    }
    ~EnvOverride() {
        if (hadValue) {
            setenv(name.c_str(), previous.c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    std::string name;
    std::string previous;
    bool hadValue = false;
};

}  // namespace audiotest
