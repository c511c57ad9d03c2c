// One function per picture of the data set.
#pragma once

#include <string>

#include "Image.h"
#include "Text.h"

namespace datagen {

class Studio;

// Backdrops, 1024 x 512, opaque.
Image makeGalleryBackground();
Image makeStarField(int variant);  // "stars.png", "stars2.png", "stars3.png"
Image makeCrystals();
Image makeRunesBackground(int level);
Image makeExitScreen(const TextRenderer& text);

// Overlays and sprites, with alpha.
Image makeHorizonFlare();
Image makePixel();
Image makePoint();
Image makeStarSprite(bool big);
Image makeGlitter();
Image makeNovaSprite();
Image makeProgressFragment();
Image makeRunePoint();

// Tiling surfaces.
Image makeLava();
Image makeWater();
Image makeGreenLava();
Image makeClouds();
Image makeRuneBorder();

// Symbols and words.
Image makeRuneSymbol(int type);  // type 0..3
Image makeRuneMask(int type);
Image makeSuccessIcon();
Image makeFailIcon();
Image makeTextBand(const TextRenderer& text, const std::string& words);

// Teaser previews, 256 x 128.
Image makeIcon(int number, Studio& studio);

// The program's icon for desktop menus, size x size, with alpha outside its rounded corners.
Image makeAppIcon(int size, Studio& studio);

}  // namespace datagen

#include "Random.h"
#include "Shapes.h"

namespace datagen {

// The four rune symbols as strokes in a [-1, 1] square, y downwards.
StrokeSet runeStrokes(int type);
const float RUNE_STROKE = 0.095f;  // half width of a rune stroke, in the same units

// A made-up runic letter of 2 to 4 strokes on a small grid, for engraved decoration.
StrokeSet randomGlyph(Random& random);

}  // namespace datagen
