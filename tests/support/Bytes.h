// Helpers to move bytes between a Buffer and a std::string in tests.
#pragma once

#include <string>

#include "core/Buffer.h"

// The valid bytes of the buffer (empty when it holds nothing).
inline std::string bytesOf(const Buffer& buffer) {
    return buffer.data
               ? std::string(reinterpret_cast<const char*>(buffer.data), static_cast<size_t>(buffer.size))
               : std::string();
}

// Appends the bytes to the buffer.
inline void fill(Buffer& buffer, const std::string& bytes) {
    buffer.write(bytes.data(), static_cast<int>(bytes.size()));
}
