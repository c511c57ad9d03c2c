// Pictures and name lists for the tests of pictures decoded ahead.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/List.h"
#include "support/Png.h"

namespace prefetchtest {

// A PNG of width x height whose samples count up from `seed`, so that two pictures differ.
inline std::string picture(int width, int height, png::ColorType type, uint8_t seed) {
    const int channels = type == png::RGBA ? 4 : 3;
    std::vector<uint8_t> samples(static_cast<size_t>(width) * height * channels);
    for (size_t i = 0; i < samples.size(); i++) samples[i] = static_cast<uint8_t>(seed + 37 * i);
    return png::encode(width, height, type, samples);
}

inline List<const char*> namesOf(std::initializer_list<const char*> names) {
    List<const char*> list;
    for (const char* name : names) list.add(name);
    return list;
}

}  // namespace prefetchtest
