// The names of the game's data set, as the programs ask for them, and the groups of
// pictures whose format the drawing code relies on.
#pragma once

namespace datatest {

// Every file the programs load by name.
inline const char* const DATA_SET[] = {
    "pixel.png", "exit.png", "galleryBackground.png", "point.png", "horizonFlare.png", "check_text.png",
    "fullscreen.png", "icon1.png", "icon2.png", "icon3.png", "icon4.png", "icon5.png", "icon6.png", "icon7.png",
    "icon8.png", "stars.png", "stars2.png", "stars3.png", "crystals.png", "lava.png", "water.png",
    "green_lava.png", "star.png", "star2.png", "glitter.png", "clouds.png", "nova.png", "progressFragment.png",
    "runesBackground1.png", "runesBackground2.png", "runesBackground3.png", "successIcon.png", "rune1.png",
    "rune2.png", "rune3.png", "rune4.png", "rune1mask.png", "rune2mask.png", "rune3mask.png", "rune4mask.png",
    "runeborderbg.png", "runePoint.png", "failIcon.png", "lava_stone1.obj", "lava_stone2.obj", "nova.obj",
    "pau.wav", "victory.wav", "impulse.wav",
};

// Pictures the game fades by colour alpha or that have transparent parts: the material
// blends only textures that carry alpha.
inline const char* const BLENDED[] = {
    "pixel.png", "point.png", "horizonFlare.png", "check_text.png", "fullscreen.png", "icon1.png", "icon2.png",
    "icon3.png", "icon4.png", "icon5.png", "icon6.png", "icon7.png", "icon8.png", "star.png", "star2.png",
    "glitter.png", "clouds.png", "nova.png", "progressFragment.png", "successIcon.png", "failIcon.png",
    "rune1.png", "rune2.png", "rune3.png", "rune4.png", "rune1mask.png", "rune2mask.png", "rune3mask.png",
    "rune4mask.png", "runeborderbg.png", "runePoint.png",
};

inline const char* const BACKDROPS[] = {
    "galleryBackground.png", "stars.png", "stars2.png", "stars3.png", "crystals.png",
    "runesBackground1.png", "runesBackground2.png", "runesBackground3.png", "exit.png",
};

}  // namespace datatest
