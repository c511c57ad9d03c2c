#include "game/runes/Rune.h"

#include <cstdlib>

#include "core/EventName.h"
#include "game/runes/Button.h"
#include "game/runes/Runes.h"
#include "game/runes/RunesEvents.h"
#include "game/runes/RunesLayers.h"
#include "render/Mesh.h"
#include "resources/ResourceEvents.h"
#include "resources/Resources.h"
#include "scene/MeshCollider.h"
#include "scene/MeshRenderer.h"
#include "scene/TexturedPlane.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

const char* const SYMBOL_NAMES[Rune::TYPES] = {"rune1.png", "rune2.png", "rune3.png", "rune4.png"};
const char* const MASK_NAMES[Rune::TYPES] = {"rune1mask.png", "rune2mask.png", "rune3mask.png",
                                             "rune4mask.png"};

// The spin of the stages that spin: one turn every four seconds, in degrees.
constexpr Curve<2> SPIN = {CurveReading::LOOPED, {{0, 0}, {4, 360}}};
// The selected point's quick flicker, in alpha.
constexpr Curve<5> PULSE = {CurveReading::LOOPED,
                            {{0.04f, 0.7f}, {0.08f, 1}, {0.12f, 0.7f}, {0.16f, 0.8f}, {0.2f, 1}}};
// Over the bar's slide up, the points grow; over its slide down they shrink and the symbols
// and borders fade out.
constexpr Curve<2> POINT_GROWTH = {CurveReading::ONCE, {{0, 0.1f}, {1, 1}}};
constexpr Curve<2> POINT_SHRINKING = {CurveReading::ONCE, {{0, 1}, {1, 0.1f}}};
constexpr Curve<2> FADING_OUT = {CurveReading::ONCE, {{0, 1}, {1, 0}}};
constexpr float IDLE_POINT_ALPHA = 0.8f;
constexpr float BORDER_SCROLL_SECONDS = 5;

MeshRenderer* texturedPlane(TextureResource* picture, MaterialResource* material, uint32_t layer) {
    MeshRenderer* r = TexturedPlane::make(picture, material);
    r->layerMask = layer;
    return r;
}

}  // namespace

Rune::Rune(int index, float x, float y) : index(index), x(x), y(y) {
    placeUpright();
    for (int t = 0; t < TYPES; t++) {
        symbolTextures[t] = TexturedPlane::picture(SYMBOL_NAMES[t]);
        maskTextures[t] = TexturedPlane::picture(MASK_NAMES[t]);
    }

    symbol = texturedPlane(symbolTextures[0], Resources::SIMPLE_TEXTURED_MATERIAL, RunesLayers::SYMBOLS);
    symbol->depthTest = false;
    symbol->ambientColor = Color{1, 0, 1, 1};
    symbol->add(new MeshCollider(Mesh::createPlane(Matrix4x4())));
    add(symbol);

    mask = texturedPlane(maskTextures[0], Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL, RunesLayers::MASKS);
    add(mask);

    border = texturedPlane(TexturedPlane::picture("runeborderbg.png"), Resources::SIMPLE_TEXTURED_MATERIAL,
                           RunesLayers::BORDERS);
    border->localMatrix.translate(Vector3(0, 0, -0.1f));
    border->localMatrix.scale(Vector3(0.95f, 0.95f, 0.95f));
    // Each rune's border shows its own part of the picture.
    float shift = static_cast<float>(rand() % 100) / 100;
    for (Vector2& uv : *border->mesh->texcoords) uv.y -= shift;
    border->mesh->updateTexcoords();
    borderScroll.begin(*border->mesh->texcoords);
    add(border);

    point = new Button(0, 0, 0, "runePoint.png");
    point->localMatrix.scale(Vector3(0.1f, 0.1f, 0.1f));
    point->layerMask = RunesLayers::POINTS;
    point->depthTest = false;
    point->visible = false;
    add(point);

    showTimer = SHOWING_ALL_TOGETHER.newTimer();
    showTimer->timeoutEvent = Events::ANSWERING_STARTS;
    add(showTimer);

    spinTimer = SPIN.newTimer();
    spinTimer->loop = true;
    add(spinTimer);
    spinTimer->start(static_cast<float>(rand() % 400) / 100);

    pulseTimer = PULSE.newTimer();
    pulseTimer->loop = true;
    add(pulseTimer);
    pulseTimer->start(0);
}

void Rune::slotSchedule(int slot, int runeCount, float points[SHOW_POINTS]) {
    float step = 6.0f / static_cast<float>(runeCount);
    float start = static_cast<float>(slot) * step;
    points[0] = 0;
    points[1] = start;
    points[2] = start + step / 4;
    points[3] = start + step / 2;
    points[4] = start + 3 * step / 4;
    points[5] = SHOW_TIME;
}

float Rune::showAlpha(Timer* showTimer) { return SHOWING_ALL_TOGETHER.at(showTimer); }

void Rune::showType(int shown) {
    symbol->textureResource = symbolTextures[shown];
    mask->textureResource = maskTextures[shown];
}

void Rune::placeUpright() {
    localMatrix.loadIdentity();
    localMatrix.translate(Vector3(x, y, Z));
    localMatrix.scale(Vector3(SCALE, SCALE, SCALE));
}

Event* Rune::onEvent(Event* e) {
    Event* r = Transform::onEvent(e);
    if (r == nullptr || r->name == nullptr) return r;
    Runes* runes = findAncestor<Runes>(this);

    if (isEvent(r, Events::UPDATE)) {
        // The frame time comes from the window that sent the frame.
        Window* window = dynamic_cast<Window*>(r->source);
        float dt = window ? window->deltaTime : 0;
        if (runes) animate(runes);
        scrollBorder(dt);
    } else if (isEvent(r, Events::RANDOM_TYPES)) {
        const int* types = static_cast<const int*>(r->data);
        int drawn = types[index];
        if (drawn >= 0 && drawn < TYPES) {
            type = drawn;
            showType(type);
        }
    } else if (isEvent(r, Events::START_SHOWING)) {
        point->visible = false;
        showTimer->start(0);
    } else if (isEvent(r, Events::SHOW_ALL_TOGETHER)) {
        SHOWING_ALL_TOGETHER.setPointsOf(showTimer);
    } else if (isEvent(r, Events::SHOW_BY_INDEX) || isEvent(r, Events::SHOW_IN_RANDOM_ORDER)) {
        if (runes) {
            int slot = isEvent(r, Events::SHOW_BY_INDEX) ? index : static_cast<const int*>(r->data)[index];
            float points[SHOW_POINTS];
            slotSchedule(slot, runes->runeCount, points);
            showTimer->setIntervals(SHOW_POINTS, points);
        }
    } else if (isEvent(r, Events::ANSWERING_STARTS)) {
        if (runes) {
            runes->phase = Runes::Phase::ANSWERING;
            point->visible = true;
            runes->cursor = 0;
            runes->barUpTimer->start(0);
        }
    } else if (isEvent(r, Events::SET_TYPE)) {
        int given = *static_cast<const int*>(r->data);
        if (runes && runes->phase == Runes::Phase::ANSWERING && runes->cursor == index && given >= 0 &&
            given < TYPES) {
            answer = given;
            showType(answer);
            symbol->ambientColor = Color{1, 1, 0, 1};
            border->ambientColor = Color{1, 1, 1, 1};
        }
    } else if (isEvent(r, Events::CHECK)) {
        if (type != answer) *static_cast<bool*>(r->data) = false;
    } else if (isEvent(r, Events::RELEASE_RESOURCES)) {
        for (int t = 0; t < TYPES; t++) {
            symbolTextures[t]->release();
            maskTextures[t]->release();
        }
    }
    return r;
}

void Rune::animate(Runes* runes) {
    if (runes->phase == Runes::Phase::SHOWING) {
        float a = showAlpha(showTimer);
        symbol->ambientColor = Color{1, 1, 0, a};
        border->ambientColor = Color{1, 1, 1, a};
        placeUpright();
        if (Runes::showingAt(runes->stage).spinning) {
            float angle = SPIN.at(spinTimer);
            localMatrix.loadIdentity();
            localMatrix.translate(Vector3(x, y, Z));
            localMatrix.rotate(Vector3(0, 0, 1), angle);
            localMatrix.scale(Vector3(SCALE, SCALE, SCALE));
        }
        return;
    }

    placeUpright();
    float s = 1;
    if (runes->phase == Runes::Phase::ANSWERING) {
        s = POINT_GROWTH.at(runes->barUpTimer);
    } else {
        s = POINT_SHRINKING.at(runes->barDownTimer);
        float a = FADING_OUT.at(runes->barDownTimer);
        symbol->ambientColor = Color{1, 1, 0, a};
        border->ambientColor = Color{1, 1, 1, a};
    }
    point->localMatrix.loadIdentity();
    point->localMatrix.scale(Vector3(s, s, s));
    float pointAlpha = runes->cursor == index ? PULSE.at(pulseTimer) : IDLE_POINT_ALPHA;
    point->ambientColor = Color{1, 1, 1, pointAlpha};
}

void Rune::scrollBorder(float dt) {
    borderScroll.advance(Vector2(0, -dt / BORDER_SCROLL_SECONDS), *border->mesh->texcoords);
    border->mesh->updateTexcoords();
}
