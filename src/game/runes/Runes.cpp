#include "game/runes/Runes.h"

#include <cstdlib>

#include "app/Application.h"
#include "app/DisplayScene.h"
#include "app/DrawPass.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "core/Fail.h"
#include "game/runes/Button.h"
#include "game/runes/Result.h"
#include "game/runes/Rune.h"
#include "game/runes/RunesEvents.h"
#include "game/runes/RunesLayers.h"
#include "scene/MeshRenderer.h"
#include "scene/Picking.h"
#include "scene/Scene.h"
#include "window/Curve.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

// The bar's height: it slides up into view within a second as answering starts, and down out
// of view as the trial closes.
constexpr Curve<2> BAR_UP = {CurveReading::ONCE, {{0, Runes::BAR_DOWN_Y}, {1, Runes::BAR_UP_Y}}};
constexpr Curve<2> BAR_DOWN = {CurveReading::ONCE, {{0, Runes::BAR_UP_Y}, {1, Runes::BAR_DOWN_Y}}};
constexpr float BUTTON_SCALE = 0.25f;
constexpr float ANSWER_ROW_Y = 1.3f;  // the first mark of each stage

// The points and symbols over the backdrop; then the masks write only depth, in the shape
// of their symbols, so that the borders behind them show everywhere but there.
constexpr DrawPass<Runes> PASSES[] = {
    {&Runes::overlayScene, RunesLayers::BACKDROP, PassWrites::COLOUR},
    {&Runes::runeScene, RunesLayers::POINTS, PassWrites::COLOUR},
    {&Runes::runeScene, RunesLayers::SYMBOLS, PassWrites::COLOUR},
    {&Runes::runeScene, RunesLayers::MASKS, PassWrites::DEPTH_OF_SHAPES},
    {&Runes::runeScene, RunesLayers::BORDERS, PassWrites::COLOUR_AND_DEPTH},
};

Timer* barTimer(const Curve<2>& slide, const char* timeoutEvent) {
    Timer* timer = slide.newTimer();
    timer->timeoutEvent = timeoutEvent;
    return timer;
}

}  // namespace

Runes::Runes(Application* app, int level)
    : Display(app), level(level), runeCount(levelTable(level).runeCount) {
    const RunesLevel& table = levelTable(level);

    overlayScene = DisplayScene::overlay(this);
    overlayScene->add(Overlay::makeBackdrop(table.backdrop));

    barUpTimer = barTimer(BAR_UP, nullptr);
    barDownTimer = barTimer(BAR_DOWN, Events::TRIAL_CLOSED);

    runeScene = DisplayScene::perspective(this);
    buildBar();
    runeScene->add(bar);
    answerRow = new Transform();
    answerRow->localMatrix.translate(Vector3(0, ANSWER_ROW_Y, 0));
    runeScene->add(answerRow);
    for (int i = 0; i < runeCount; i++) runeScene->add(new Rune(i, table.places[i].x, table.places[i].y));

    add(overlayScene);
    add(barUpTimer);
    add(barDownTimer);
    add(runeScene);

    send(Events::NEW_TRIAL);
}

void Runes::buildBar() {
    bar = new Transform();
    bar->localMatrix.translate(Vector3(0, BAR_UP.keys[0].value, BAR_Z));
    for (const BarButton& b : BAR_BUTTONS) {
        Button* button = new Button(b.x, 0, 0, b.texture);
        button->localMatrix.scale(Vector3(BUTTON_SCALE, BUTTON_SCALE, BUTTON_SCALE));
        button->type = b.type;
        if (b.type == CHECK_BUTTON) {
            button->ambientColor = Color{0, 1, 0, 1};
            checkButton = button;
        } else {
            typeButtons[b.type] = button;
        }
        bar->add(button);
    }
}

const RunesLevel& Runes::levelTable(int level) {
    constexpr int levels = static_cast<int>(sizeof(RUNES_LEVELS) / sizeof(RUNES_LEVELS[0]));
    if (level < 1 || level > levels) fail("Runes level %d does not exist\n", level);
    return RUNES_LEVELS[level - 1];
}

TypeDraw Runes::typeDrawAt(int level, int stage) {
    const RunesLevel& table = levelTable(level);
    return stage < 3 ? table.earlyTypes : table.lateTypes;
}

StageShowing Runes::showingAt(int stage) {
    if (stage < 0 || stage >= STAGES) return STAGE_SHOWINGS[0];
    return STAGE_SHOWINGS[stage];
}

Vector2 Runes::markPosition(int stage, int failuresBefore) {
    return Vector2(0.3f * static_cast<float>(stage) - 1.05f, -0.3f * static_cast<float>(failuresBefore));
}

bool Runes::judgesAt(int stage) { return stage >= 0 && stage < STAGES; }

void Runes::randomValues(int* values, int count, int kinds, int perKind) {
    for (int i = 0; i < count; i++) values[i] = 0;
    if (kinds < 2) return;
    for (int v = 1; v < kinds; v++) {
        int taken = 0;
        while (taken < perKind) {
            bool metFree = false;
            for (int i = 0; i < count && taken < perKind; i++) {
                if (values[i] != 0) continue;
                metFree = true;
                if (rand() % 100 < 11) {
                    values[i] = v;
                    taken++;
                }
            }
            if (!metFree) break;
        }
    }
}

Event* Runes::onEvent(Event* e) {
    if (isEvent(e, Events::UPDATE)) {
        draw();
    } else if (isEvent(e, Events::MOUSE_UP)) {
        click();
    } else if (isEvent(e, Events::NEW_TRIAL)) {
        setUpTrial();
    } else if (isEvent(e, Events::TRIAL_CLOSED)) {
        closeTrial();
    }
    return Display::onEvent(e);
}

void Runes::setUpTrial() {
    int types[MAX_RUNES];
    TypeDraw typeDraw = typeDrawAt(level, stage);
    randomValues(types, runeCount, typeDraw.kinds, typeDraw.perKind);
    runeScene->sendBroadcast(Events::RANDOM_TYPES, this, types);

    switch (showingAt(stage).showing) {
        case Showing::ALL_TOGETHER:
            runeScene->sendBroadcast(Events::SHOW_ALL_TOGETHER, this, nullptr);
            break;
        case Showing::BY_INDEX:
            runeScene->sendBroadcast(Events::SHOW_BY_INDEX, this, nullptr);
            break;
        case Showing::RANDOM_ORDER: {
            int order[MAX_RUNES];
            randomValues(order, runeCount, runeCount, 1);
            runeScene->sendBroadcast(Events::SHOW_IN_RANDOM_ORDER, this, order);
            break;
        }
    }

    phase = Phase::SHOWING;
    runeScene->sendBroadcast(Events::START_SHOWING, this, nullptr);
}

void Runes::closeTrial() {
    // The same stage again after a wrong answer, the next after a right one; after the last
    // stage's right answer, nothing more but the click that starts over.
    if (stage < LAST_ANSWER_CLOSING) {
        send(Events::NEW_TRIAL);
    } else {
        stage = ALL_STAGES_DONE;
    }
}

void Runes::draw() {
    clearFrame();
    if (phase != Phase::SHOWING) {
        float y = phase == Phase::ANSWERING ? BAR_UP.at(barUpTimer) : BAR_DOWN.at(barDownTimer);
        bar->localMatrix.loadIdentity();
        bar->localMatrix.translate(Vector3(0, y, BAR_Z));
    }
    drawPasses(this, PASSES);
}

void Runes::click() {
    Window* window = app->window;
    Vector2 at = window->mouseDownPosition;
    if (!window->viewportContainsMouse(*runeScene->getViewport(), at)) return;
    if (Collider* hit = pickCollider(window, runeScene, at)) {
        if (Rune* rune = findAncestor<Rune>(hit)) {
            cursor = rune->index;
        } else if (Button* button = findAncestor<Button>(hit)) {
            press(button);
        }
    }
    if (stage == ALL_STAGES_DONE) startOver();
}

void Runes::press(Button* button) {
    if (button == checkButton) {
        check();
        return;
    }
    for (Button* typeButton : typeButtons) {
        if (button != typeButton) continue;
        int type = button->type;
        runeScene->sendBroadcast(Events::SET_TYPE, this, &type);
        cursor = (cursor + 1) % runeCount;
        return;
    }
}

void Runes::check() {
    // At stage 7 the last stage's right answer is already closing, and no counter exists
    // for a verdict: such a press changes nothing.
    if (!judgesAt(stage)) return;
    bool ok = true;
    runeScene->sendBroadcast(Events::CHECK, this, &ok);
    Vector2 mark = markPosition(stage, failures[stage]);
    answerRow->add(new Result(mark.x, mark.y, ok));
    if (ok) {
        stage++;
    } else {
        failures[stage]++;
    }
    phase = Phase::CLOSING;
    barDownTimer->start(0);
}

void Runes::startOver() {
    stage = 0;
    answerRow->removeChildren();
    for (int& f : failures) f = 0;
    send(Events::NEW_TRIAL);
}
