// Runes: the display of the runes teaser, a memory game in seven stages. Runes show their
// symbols and fade out; a bar of four symbol buttons and a check button slides up; the player
// gives each rune the symbol it showed and presses check; a green or red mark records the
// answer, and a right one leads to the next stage, shown in a harder way. After the last
// stage the next click starts over. Three displays exist, for the levels 1 to 3.
#pragma once

#include "app/Display.h"
#include "game/runes/RunesLevels.h"
#include "math/Vector2.h"

class Button;
class Scene;
class Timer;
class Transform;

class Runes : public Display {
public:
    static constexpr int STAGES = 7;
    static constexpr int MAX_RUNES = 8;
    static constexpr int TYPE_BUTTONS = 4;
    // After the last stage's right answer, `stage` is this while the bar goes down, and then
    // ALL_STAGES_DONE until a click starts over.
    static constexpr int LAST_ANSWER_CLOSING = STAGES;
    static constexpr int ALL_STAGES_DONE = STAGES + 1;

    // A trial's phases: the runes show their symbols; the player answers with the bar up;
    // the bar goes down and the mark is placed.
    enum class Phase { SHOWING, ANSWERING, CLOSING };
    // The bar of buttons in the rune scene: below the view, and up in it while answering.
    static constexpr float BAR_DOWN_Y = -1.8f;
    static constexpr float BAR_UP_Y = -1.2f;
    static constexpr float BAR_Z = -3.5f;

    int level;
    int cursor = 0;  // the rune the next symbol button gives its symbol to
    int stage = 0;   // 0 to 6 while playing, then LAST_ANSWER_CLOSING and ALL_STAGES_DONE
    Phase phase = Phase::SHOWING;
    Timer* barUpTimer;
    Timer* barDownTimer;  // its end sends "phase2" (Events::TRIAL_CLOSED)
    int runeCount;
    Scene* overlayScene;  // the backdrop
    Scene* runeScene;     // bar, answer row and runes, seen by a perspective camera
    Transform* bar;
    Button* typeButtons[TYPE_BUTTONS];
    Button* checkButton;
    Transform* answerRow;  // parent of the Result marks
    int failures[STAGES] = {};

    // Builds the display of a level (1 to 3; throws "Runes level %d does not exist\n"
    // otherwise) and sets up the first trial, which starts showing on the first frame.
    Runes(Application* app, int level);

    // "update" draws; "mouseUp" clicks; "phase0" sets up a trial; "phase2" closes one. Every
    // event then goes on to the display base class.
    Event* onEvent(Event* e) override;

    // Sets all `count` values to 0, then for each value v from 1 to kinds - 1 walks the
    // entries cyclically from index 0 and gives v to an entry that is 0 when rand() % 100 is
    // below 11, until perKind entries have it or no entry is 0 any more.
    static void randomValues(int* values, int count, int kinds, int perKind);

    // The rules of the game, without GL:
    static const RunesLevel& levelTable(int level);
    // How the runes' types are drawn at a stage of a level.
    static TypeDraw typeDrawAt(int level, int stage);
    // How the runes show at a stage (the stages past 6 show as stage 0 would).
    static StageShowing showingAt(int stage);
    // A mark's place in the answer row: a column per stage, a row per wrong answer before it.
    static Vector2 markPosition(int stage, int failuresBefore);
    // Whether a press of the check button judges at this stage: only the stages 0 to 6 have
    // a counter; at 7 the last right answer is already being closed, at 8 the click starts
    // over.
    static bool judgesAt(int stage);

private:
    void buildBar();
    void setUpTrial();
    void closeTrial();
    void draw();
    void click();
    void press(Button* button);
    void check();
    void startOver();
};
