#include "game/runes/Runes.h"

#include <cstdlib>

#include "app/Application.h"
#include "app/Overlay.h"
#include "core/EventName.h"
#include "core/Fail.h"
#include "game/runes/Button.h"
#include "game/runes/Result.h"
#include "game/runes/Rune.h"
#include "game/runes/RunesEvents.h"
#include "platform/GL.h"
#include "scene/Camera.h"
#include "scene/MeshRenderer.h"
#include "scene/Picking.h"
#include "scene/Scene.h"
#include "window/Interpolation.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

const float BAR_POINTS[] = {0, 1};
const float BAR_UP_KEYS[] = {Runes::BAR_DOWN_Y, Runes::BAR_UP_Y};
const float BAR_DOWN_KEYS[] = {Runes::BAR_UP_Y, Runes::BAR_DOWN_Y};
const float BUTTON_SCALE = 0.25f;

// Layers of the passes, in drawing order.
const uint32_t BACKDROP_LAYER = 1;
const uint32_t POINT_LAYER = 2;
const uint32_t SYMBOL_LAYER = 1;  // with the buttons and the marks
const uint32_t MASK_LAYER = 4;
const uint32_t BORDER_LAYER = 8;

Timer* barTimer(const char* timeoutEvent) {
    Timer* timer = new Timer(1);
    timer->setIntervals(2, BAR_POINTS);
    timer->timeoutEvent = timeoutEvent;
    return timer;
}

void render(Scene* scene, uint32_t layers) {
    scene->layerMask = layers;
    scene->render();
}

}  // namespace

Runes::Runes(Application* app, int level)
    : Display(app), level(level), runeCount(levelTable(level).runeCount) {
    const RunesLevel& table = levelTable(level);

    overlayScene = new Scene();
    overlayScene->viewportRef = &viewport;
    Camera* overlayCamera = Overlay::makeCamera();
    overlayScene->camera = overlayCamera;
    overlayScene->add(overlayCamera);
    MeshRenderer* backdrop = Overlay::makeFullPicture(table.backdrop);
    // Drawn first into a cleared depth buffer, it would pass every depth test: testing costs
    // a software renderer a third of the frame at full screen and changes no pixel.
    backdrop->depthTest = false;
    overlayScene->add(backdrop);

    barUpTimer = barTimer(nullptr);
    barDownTimer = barTimer(Events::PHASE2);

    runeScene = new Scene();
    runeScene->viewportRef = &viewport;
    Camera* camera = new Camera(45, 0.1f, 10);
    runeScene->camera = camera;
    runeScene->add(camera);

    bar = new Transform();
    bar->localMatrix.translate(Vector3(0, BAR_UP_KEYS[0], BAR_Z));
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
    runeScene->add(bar);

    answerRow = new Transform();
    answerRow->localMatrix.translate(Vector3(0, 1.3f, 0));
    runeScene->add(answerRow);

    for (int i = 0; i < runeCount; i++) runeScene->add(new Rune(i, table.places[i].x, table.places[i].y));

    add(overlayScene);
    add(barUpTimer);
    add(barDownTimer);
    add(runeScene);

    send(Events::PHASE0);
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
    } else if (isEvent(e, Events::PHASE0)) {
        setUpTrial();
    } else if (isEvent(e, Events::PHASE2)) {
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
            runeScene->sendBroadcast(Events::SET_FULLVIEW, this, nullptr);
            break;
        case Showing::BY_INDEX:
            runeScene->sendBroadcast(Events::SET_HIDENNING, this, nullptr);
            break;
        case Showing::RANDOM_ORDER: {
            int order[MAX_RUNES];
            randomValues(order, runeCount, runeCount, 1);
            runeScene->sendBroadcast(Events::SET_RANDOM_HIDENNING, this, order);
            break;
        }
    }

    phase = SHOWING;
    runeScene->sendBroadcast(Events::START, this, nullptr);
}

void Runes::closeTrial() {
    if (stage < STAGES) {
        send(Events::PHASE0);
    } else {
        stage++;
    }
}

void Runes::draw() {
    app->window->setGLViewport();
    glDepthMask(GL_TRUE);  // a depth buffer under a closed mask would not clear
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    if (phase == ANSWERING || phase == CLOSING) {
        Timer* timer = phase == ANSWERING ? barUpTimer : barDownTimer;
        const float* keys = phase == ANSWERING ? BAR_UP_KEYS : BAR_DOWN_KEYS;
        float y = Interpolation::linear(timer, keys, sizeof(float), 0, false);
        bar->localMatrix.loadIdentity();
        bar->localMatrix.translate(Vector3(0, y, BAR_Z));
    }

    glDepthMask(GL_FALSE);
    render(overlayScene, BACKDROP_LAYER);
    render(runeScene, POINT_LAYER);
    render(runeScene, SYMBOL_LAYER);
    glDepthMask(GL_TRUE);
    // The masks write only depth, in the shape of their symbols, so that the borders behind
    // them show everywhere but there.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    render(runeScene, MASK_LAYER);
    glDisable(GL_ALPHA_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    render(runeScene, BORDER_LAYER);
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
    if (stage == STAGES + 1) startOver();
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
    phase = CLOSING;
    barDownTimer->start(0);
}

void Runes::startOver() {
    stage = 0;
    answerRow->removeChildren();
    for (int& f : failures) f = 0;
    send(Events::PHASE0);
}
