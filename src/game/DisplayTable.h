// The game's displays and the gallery's icons, in the order they are built. The order is
// part of the game: the teasers draw random numbers as they are built, so a step moved or
// added changes every later teaser.
#pragma once

enum class DisplayKind {
    GALLERY,
    LAVA_STONES,
    RUNES,
    NO_DISPLAY,  // an icon that leads nowhere
    EXIT,
};

struct DisplayStep {
    DisplayKind created;
    int level;           // the teaser's level; 0 for the others
    const char* icon;    // the gallery icon's picture; null: the step has no icon
    int iconDifficulty;  // 0, 1 or 2 for a teaser, -1 for none
};

inline constexpr DisplayStep DISPLAY_STEPS[] = {
    {DisplayKind::GALLERY, 0, nullptr, 0},         {DisplayKind::LAVA_STONES, 1, "icon1.png", 0},
    {DisplayKind::LAVA_STONES, 4, "icon8.png", 0}, {DisplayKind::LAVA_STONES, 2, "icon2.png", 1},
    {DisplayKind::LAVA_STONES, 3, "icon3.png", 2}, {DisplayKind::RUNES, 1, "icon4.png", 0},
    {DisplayKind::RUNES, 2, "icon5.png", 1},       {DisplayKind::RUNES, 3, "icon6.png", 2},
    {DisplayKind::NO_DISPLAY, 0, "icon7.png", -1}, {DisplayKind::EXIT, 0, nullptr, 0},
};
