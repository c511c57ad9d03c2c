#include "game/runes/Rune.h"

#include <cstdlib>

#include "core/EventName.h"
#include "game/runes/Button.h"
#include "game/runes/Runes.h"
#include "game/runes/RunesEvents.h"
#include "render/GLConstants.h"
#include "render/Mesh.h"
#include "render/Texture.h"
#include "resources/ResourceEvents.h"
#include "resources/Resources.h"
#include "scene/MeshCollider.h"
#include "scene/MeshRenderer.h"
#include "window/Interpolation.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

const char* const SYMBOL_NAMES[Rune::TYPES] = {"rune1.png", "rune2.png", "rune3.png", "rune4.png"};
const char* const MASK_NAMES[Rune::TYPES] = {"rune1mask.png", "rune2mask.png", "rune3mask.png",
                                             "rune4mask.png"};

const float SHOW_KEYS[Rune::SHOW_POINTS] = {0, 0, 1, 1, 0, 0};
const float SPIN_POINTS[] = {0, 4};
const float SPIN_KEYS[] = {0, 360};
const float PULSE_POINTS[] = {0.04f, 0.08f, 0.12f, 0.16f, 0.2f};
const float PULSE_KEYS[] = {0.7f, 1, 0.7f, 0.8f, 1};
const float GROW_KEYS[] = {0.1f, 1};
const float SHRINK_KEYS[] = {1, 0.1f};
const float FADE_OUT_KEYS[] = {1, 0};
const float IDLE_POINT_ALPHA = 0.8f;
const float BORDER_SCROLL_SECONDS = 5;

TextureResource* texture(const char* name) {
    return Resources::getTextureResource(name, TextureFiltering::LINEAR, Texture::NO_COLOR_KEY);
}

MeshRenderer* texturedPlane(TextureResource* picture, MaterialResource* material, uint32_t layer) {
    MeshRenderer* r = new MeshRenderer();
    r->mesh = Mesh::createTexturedPlane(BufferUsage::STATIC_DRAW, Matrix4x4());
    r->materialResource = material;
    r->textureResource = picture;
    r->layerMask = layer;
    return r;
}

float linear(Timer* timer, const float* keys, bool loop) {
    return Interpolation::linear(timer, keys, sizeof(float), 0, loop);
}

}  // namespace

Rune::Rune(int index, float x, float y) : index(index), x(x), y(y) {
    placeUpright();
    for (int t = 0; t < TYPES; t++) {
        symbolTextures[t] = texture(SYMBOL_NAMES[t]);
        maskTextures[t] = texture(MASK_NAMES[t]);
    }

    symbol = texturedPlane(symbolTextures[0], Resources::SIMPLE_TEXTURED_MATERIAL, 1);
    symbol->depthTest = false;
    symbol->ambientColor = Color{1, 0, 1, 1};
    symbol->add(new MeshCollider(Mesh::createPlane(Matrix4x4())));
    add(symbol);

    mask = texturedPlane(maskTextures[0], Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL, 4);
    add(mask);

    border = texturedPlane(texture("runeborderbg.png"), Resources::SIMPLE_TEXTURED_MATERIAL, 8);
    border->localMatrix.translate(Vector3(0, 0, -0.1f));
    border->localMatrix.scale(Vector3(0.95f, 0.95f, 0.95f));
    // Each rune's border shows its own part of the picture.
    float shift = static_cast<float>(rand() % 100) / 100;
    for (Vector2& uv : *border->mesh->texcoords) uv.y -= shift;
    border->mesh->updateTexcoords();
    add(border);

    point = new Button(0, 0, 0, "runePoint.png");
    point->localMatrix.scale(Vector3(0.1f, 0.1f, 0.1f));
    point->layerMask = 2;
    point->depthTest = false;
    point->visible = false;
    add(point);

    showTimer = new Timer(SHOW_TIME);
    showTimer->setIntervals(SHOW_POINTS, FULLVIEW_POINTS);
    showTimer->timeoutEvent = Events::PHASE1;
    add(showTimer);

    spinTimer = new Timer(4);
    spinTimer->setIntervals(2, SPIN_POINTS);
    spinTimer->loop = true;
    add(spinTimer);
    spinTimer->start(static_cast<float>(rand() % 400) / 100);

    pulseTimer = new Timer(0.2f);
    pulseTimer->setIntervals(5, PULSE_POINTS);
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

float Rune::showAlpha(Timer* showTimer) { return linear(showTimer, SHOW_KEYS, false); }

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
    } else if (isEvent(r, Events::START)) {
        point->visible = false;
        showTimer->start(0);
    } else if (isEvent(r, Events::SET_FULLVIEW)) {
        showTimer->setIntervals(SHOW_POINTS, FULLVIEW_POINTS);
    } else if (isEvent(r, Events::SET_HIDENNING) || isEvent(r, Events::SET_RANDOM_HIDENNING)) {
        if (runes) {
            int slot = isEvent(r, Events::SET_HIDENNING) ? index : static_cast<const int*>(r->data)[index];
            float points[SHOW_POINTS];
            slotSchedule(slot, runes->runeCount, points);
            showTimer->setIntervals(SHOW_POINTS, points);
        }
    } else if (isEvent(r, Events::PHASE1)) {
        if (runes) {
            runes->phase = Runes::ANSWERING;
            point->visible = true;
            runes->cursor = 0;
            runes->barUpTimer->start(0);
        }
    } else if (isEvent(r, Events::SET_TYPE)) {
        int given = *static_cast<const int*>(r->data);
        if (runes && runes->phase == Runes::ANSWERING && runes->cursor == index && given >= 0 &&
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
    if (runes->phase == Runes::SHOWING) {
        float a = showAlpha(showTimer);
        symbol->ambientColor = Color{1, 1, 0, a};
        border->ambientColor = Color{1, 1, 1, a};
        placeUpright();
        if (Runes::showingAt(runes->stage).spinning) {
            float angle = linear(spinTimer, SPIN_KEYS, true);
            localMatrix.loadIdentity();
            localMatrix.translate(Vector3(x, y, Z));
            localMatrix.rotate(Vector3(0, 0, 1), angle);
            localMatrix.scale(Vector3(SCALE, SCALE, SCALE));
        }
        return;
    }

    placeUpright();
    float s = 1;
    if (runes->phase == Runes::ANSWERING) {
        s = linear(runes->barUpTimer, GROW_KEYS, false);
    } else {
        s = linear(runes->barDownTimer, SHRINK_KEYS, false);
        float a = linear(runes->barDownTimer, FADE_OUT_KEYS, false);
        symbol->ambientColor = Color{1, 1, 0, a};
        border->ambientColor = Color{1, 1, 1, a};
    }
    point->localMatrix.loadIdentity();
    point->localMatrix.scale(Vector3(s, s, s));
    float pointAlpha = runes->cursor == index ? linear(pulseTimer, PULSE_KEYS, true) : IDLE_POINT_ALPHA;
    point->ambientColor = Color{1, 1, 1, pointAlpha};
}

void Rune::scrollBorder(float dt) {
    List<Vector2>& uvs = *border->mesh->texcoords;
    for (Vector2& uv : uvs) uv.y -= dt / BORDER_SCROLL_SECONDS;
    if (uvs.size() > 0 && uvs.at(0).y < -1) {
        for (Vector2& uv : uvs) uv.y += 1;
    }
    border->mesh->updateTexcoords();
}
