// Helpers for the audio tests: WAV files built in memory or by sox, environment overrides,
// and a reader for the stereo 16-bit frames the mixer writes.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/Buffer.h"

namespace audiotest {

inline void put16(std::vector<unsigned char>& out, uint16_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

inline void put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

// One chunk: id, little-endian length, payload and the pad byte of an odd payload.
inline std::vector<unsigned char> chunk(const char* id, const std::vector<unsigned char>& payload) {
    std::vector<unsigned char> out(id, id + 4);
    put32(out, static_cast<uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    if (payload.size() & 1) out.push_back(0);
    return out;
}

// The 16 bytes of a PCM "fmt " chunk's payload.
inline std::vector<unsigned char> pcmFormat(int channels, int rate, int bits) {
    std::vector<unsigned char> out;
    put16(out, 1);
    put16(out, static_cast<uint16_t>(channels));
    put32(out, static_cast<uint32_t>(rate));
    put32(out, static_cast<uint32_t>(rate * channels * bits / 8));
    put16(out, static_cast<uint16_t>(channels * bits / 8));
    put16(out, static_cast<uint16_t>(bits));
    return out;
}

// "RIFF", the length of what follows, "WAVE", then the given chunks.
inline std::vector<unsigned char> riffOf(const std::vector<std::vector<unsigned char>>& chunks) {
    std::vector<unsigned char> body = {'W', 'A', 'V', 'E'};
    for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
    std::vector<unsigned char> out = {'R', 'I', 'F', 'F'};
    put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A RIFF WAVE file with one PCM "fmt " chunk and one "data" chunk.
inline std::vector<unsigned char> riffWav(int channels, int rate, int bits,
                                          const std::vector<unsigned char>& samples) {
    return riffOf({chunk("fmt ", pcmFormat(channels, rate, bits)), chunk("data", samples)});
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
