// The four lava-stones levels as data: where the stones stand and what surrounds them, and the
// star and glitter tables of the backdrops. LavaStones reads them in one loop each.
#pragma once

#include "game/lava/StoneKind.h"

namespace LavaLevels {

inline constexpr int STONES = 7;
inline constexpr int LEVELS = 4;
// Stones stand in the plane z = STONE_Z in front of the stone camera.
inline constexpr float STONE_Z = -4;

// The meshes a stone table names by number (1 or 2).
inline constexpr const char* STONE_MESHES[] = {nullptr, "lava_stone1.obj", "lava_stone2.obj"};

// One stone: its id, its place (unused on an ellipse layout) and its mesh number.
struct StoneSpot {
    int id;
    float x;
    float y;
    int mesh;
};

// How many stones a new game starts with lit: one of `choices` counts, drawn with one
// rand() when there is more than one.
struct LitAtStart {
    int choices;
    int counts[3];
};
inline constexpr LitAtStart THREE_LIT = {1, {3}};
inline constexpr LitAtStart ONE_THREE_OR_FIVE_LIT = {3, {1, 3, 5}};

// The stones a click switches: those whose ids lie at these offsets from the clicked one's
// (around the seven), in this order.
struct Switching {
    int count;
    int offsets[4];
};
inline constexpr Switching WITH_BOTH_NEIGHBOURS = {3, {0, 1, -1}};
inline constexpr Switching WITH_NEXT_THREE = {4, {0, 1, 2, 3}};

// What a level adds to its scenes.
enum class Extra { NONE, CLOUDS, LAVA };

struct Level {
    const char* backdrop;
    StoneKind kind;
    bool glitters;   // seven glitters on the backdrop instead of nine stars
    Extra extra;     // clouds over the scenery, or a lava floor below the stones
    bool ring;       // the stones ride a turning ring at RING_OFFSET
    float ellipseX;  // when not 0, spot k stands at (ellipseX sin(2 pi k / 7), ellipseY cos(...))
    float ellipseY;
    StoneSpot stones[STONES];  // by spot; spot k starts with entry k of the start states
    float resetX;              // the hidden reset: centre and half size
    float resetY;
    float resetSize;
    LitAtStart litAtStart;
    Switching switching;
};

inline constexpr float RING_OFFSET_Y = 0.2f;

// Levels 1 to 4 at index 0 to 3.
inline constexpr Level LEVEL_TABLE[LEVELS] = {
    {"stars.png",
     StoneKind::LAVA,
     false,
     Extra::NONE,
     false,
     0,
     0,
     {{0, -2.25f, 0, 1},
      {1, -1.5f, 0, 2},
      {2, -0.75f, 0, 1},
      {3, 0, 0, 1},
      {4, 0.75f, 0, 2},
      {5, 1.5f, 0, 1},
      {6, 2.25f, 0, 2}},
     -2.15f,
     0.85f,
     0.25f,
     THREE_LIT,
     WITH_BOTH_NEIGHBOURS},
    {"stars2.png",
     StoneKind::LAVA,
     false,
     Extra::CLOUDS,
     false,
     0,
     0,
     {{0, 0, 0, 2},
      {1, 2, 0.5f, 1},
      {2, 0, 1, 2},
      {3, -2, -0.5f, 1},
      {4, -1, -1, 1},
      {5, 2, -1.2f, 2},
      {6, -1, 0, 2}},
     2.15f,
     1.15f,
     0.25f,
     THREE_LIT,
     WITH_BOTH_NEIGHBOURS},
    {"stars3.png",
     StoneKind::WATER,
     false,
     Extra::LAVA,
     true,
     1,
     1,
     {{1, 0, 0, 1}, {2, 0, 0, 2}, {5, 0, 0, 1}, {3, 0, 0, 2}, {6, 0, 0, 1}, {4, 0, 0, 2}, {0, 0, 0, 1}},
     2.15f,
     1.15f,
     0.5f,
     THREE_LIT,
     WITH_BOTH_NEIGHBOURS},
    {"crystals.png",
     StoneKind::GREEN_LAVA,
     true,
     Extra::NONE,
     false,
     2,
     1,
     {{0, 0, 0, 1}, {1, 0, 0, 2}, {2, 0, 0, 1}, {3, 0, 0, 2}, {4, 0, 0, 1}, {5, 0, 0, 2}, {6, 0, 0, 1}},
     0.75f,
     -1.15f,
     0.5f,
     ONE_THREE_OR_FIVE_LIT,
     WITH_NEXT_THREE},
};

// A sprite of the backdrop, placed by fractions of the 911 x 512 scenery space.
struct Sprite {
    float x;
    float y;
    bool big;  // stars only
};

// The nine stars of levels 1 to 3.
inline constexpr Sprite STARS[] = {
    {0.245902f, 0.725f, true},     {0.586651f, 0.677083f, true},  {0.830211f, 0.327083f, true},
    {0.455504f, 0.060417f, true},  {0.925059f, 0.695833f, false}, {0.755269f, 0.845833f, false},
    {0.311475f, 0.235417f, false}, {0.476581f, 0.372917f, false}, {0.087822f, 0.791667f, false},
};

// The seven glitters of level 4.
inline constexpr Sprite GLITTERS[] = {
    {0.2f, 0.725f, false}, {0.85f, 0.125f, false}, {0.55f, 0.5f, false}, {0.8f, 0.7f, false},
    {0.15f, 0.1f, false},  {0.5f, 0.85f, false},   {0.4f, 0.1f, false},
};

}  // namespace LavaLevels
