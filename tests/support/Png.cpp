#include "support/Png.h"

#include <zlib.h>

#include <stdexcept>

namespace png {

namespace {

void put32(std::string& out, uint32_t v) {
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, static_cast<uint32_t>(
                   crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

int samplesPerPixel(ColorType type) {
    switch (type) {
        case RGB:
            return 3;
        case RGBA:
            return 4;
        default:
            return 1;
    }
}

}  // namespace

std::string encode(int width, int height, ColorType type, const std::vector<uint8_t>& pixels,
                   const std::vector<uint8_t>& palette) {
    size_t rowBytes = static_cast<size_t>(width) * samplesPerPixel(type);
    if (pixels.size() != rowBytes * height) throw std::invalid_argument("png::encode: pixel count");

    std::string raw;
    for (int y = 0; y < height; y++) {
        raw += '\0';  // filter type 0 (none)
        raw.append(reinterpret_cast<const char*>(pixels.data()) + y * rowBytes, rowBytes);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                 reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size())) != Z_OK) {
        throw std::runtime_error("png::encode: deflate failed");
    }
    packed.resize(packedSize);

    std::string header;
    put32(header, static_cast<uint32_t>(width));
    put32(header, static_cast<uint32_t>(height));
    header += static_cast<char>(8);     // bit depth
    header += static_cast<char>(type);  // colour type
    header += std::string(3, '\0');     // compression, filter, interlace

    std::string out = "\x89PNG\r\n\x1a\n";
    chunk(out, "IHDR", header);
    if (type == PALETTE) chunk(out, "PLTE", std::string(palette.begin(), palette.end()));
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", "");
    return out;
}

}  // namespace png
