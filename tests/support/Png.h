// A small PNG encoder for test fixtures: 8 bits per sample, no interlacing, every row with
// filter 0. Enough to give the image decoder truecolour, alpha, grey and palette files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace png {

enum ColorType : uint8_t { GREY = 0, RGB = 2, PALETTE = 3, RGBA = 6 };

// `pixels` holds width * height samples of the colour type's size, row after row, without
// padding (1 byte per pixel for GREY and PALETTE, 3 for RGB, 4 for RGBA). `palette` holds
// R, G, B triples for PALETTE images.
std::string encode(int width, int height, ColorType type, const std::vector<uint8_t>& pixels,
                   const std::vector<uint8_t>& palette = {});

}  // namespace png
