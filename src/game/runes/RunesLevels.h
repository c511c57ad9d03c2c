// The runes teaser's fixed tables: the three levels (runes, their places, backdrop and how
// the types are drawn), the buttons on the bar, and how the runes show at each stage.
#pragma once

// How many symbol kinds a trial deals out and how many runes take each kind but 0
// (Runes::randomValues).
struct TypeDraw {
    int kinds;
    int perKind;
};

struct RunePlace {
    float x;
    float y;
};

struct RunesLevel {
    int runeCount;
    RunePlace places[8];  // by rune index; runeCount of them are used
    const char* backdrop;
    TypeDraw earlyTypes;  // stages 0 to 2
    TypeDraw lateTypes;   // stages 3 and up
};

inline constexpr RunesLevel RUNES_LEVELS[] = {
    {4, {{-1.8f, 0.7f}, {1.8f, 0.7f}, {-1.8f, -0.7f}, {1.8f, -0.7f}}, "runesBackground1.png", {2, 2}, {4, 1}},
    {6,
     {{-2, 0.7f}, {0, 0.7f}, {2, 0.7f}, {-2, -0.7f}, {0, -0.7f}, {2, -0.7f}},
     "runesBackground2.png",
     {3, 3},
     {4, 2}},
    {8,
     {{-2, 0.7f},
      {-0.66f, 0.7f},
      {0.66f, 0.7f},
      {2, 0.7f},
      {-2, -0.7f},
      {-0.66f, -0.7f},
      {0.66f, -0.7f},
      {2, -0.7f}},
     "runesBackground3.png",
     {4, 4},
     {4, 2}},
};

// The buttons on the bar, left to right; type -1 is the check button.
struct BarButton {
    float x;
    const char* texture;
    int type;
};

inline constexpr int CHECK_BUTTON = -1;

inline constexpr BarButton BAR_BUTTONS[] = {
    {-1, "rune1.png", 0},
    {-0.33f, "rune2.png", 1},
    {0.33f, "rune3.png", 2},
    {1, "rune4.png", 3},
    {1.66f, "successIcon.png", CHECK_BUTTON},
};

// How the runes show in a trial: the event that sets their schedules, and whether they spin.
enum class Showing { ALL_TOGETHER, BY_INDEX, RANDOM_ORDER };

struct StageShowing {
    Showing showing;
    bool spinning;
};

inline constexpr StageShowing STAGE_SHOWINGS[] = {
    {Showing::ALL_TOGETHER, false}, {Showing::ALL_TOGETHER, true}, {Showing::BY_INDEX, false},
    {Showing::ALL_TOGETHER, false}, {Showing::ALL_TOGETHER, true}, {Showing::BY_INDEX, false},
    {Showing::RANDOM_ORDER, false},
};
