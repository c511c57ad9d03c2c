// Gallery: its two scenes, the frame, dragging, clicking and leaving.
#include "game/gallery/Gallery.h"

#include <cmath>

#include "app/Application.h"
#include "app/DisplayScene.h"
#include "app/DrawPass.h"
#include "app/Overlay.h"
#include "app/SharedLayer.h"
#include "audio/AudioPlayer.h"
#include "core/EventName.h"
#include "game/gallery/CheckText.h"
#include "game/gallery/FullscreenText.h"
#include "game/gallery/GalleryEvents.h"
#include "game/gallery/Icon.h"
#include "resources/Resources.h"
#include "scene/MeshRenderer.h"
#include "scene/Picking.h"
#include "scene/Scene.h"
#include "window/Timer.h"
#include "window/Window.h"
#include "window/WindowEvents.h"

namespace {

enum class Piece { PICTURE, DOT, CHECK_TEXT, FULLSCREEN_TEXT };

struct OverlayPiece {
    Piece piece;
    const char* texture;
    float centerX, centerY;
    float scaleX, scaleY;
    uint32_t layer;
    bool depthTest;
};

// The overlay in the order of adding. The backdrop and the flare are wider than the canvas;
// the letter box cuts their sides off. The backdrop is drawn first onto a cleared depth
// buffer, where a depth test could not fail: it is spared the test.
constexpr OverlayPiece OVERLAY[] = {
    {Piece::PICTURE, "galleryBackground.png", 456, 256, 512, -256, Gallery::BACKDROP_LAYER, false},
    {Piece::DOT, "point.png", 386, 420, 16, -16, Gallery::FRONT_LAYER, true},
    {Piece::DOT, "point.png", 456, 420, 16, -16, Gallery::FRONT_LAYER, true},
    {Piece::DOT, "point.png", 526, 420, 16, -16, Gallery::FRONT_LAYER, true},
    {Piece::PICTURE, "horizonFlare.png", 456, 256, 512, -256, Gallery::FRONT_LAYER, true},
    {Piece::CHECK_TEXT, "check_text.png", 456, 32, 256, -16, Gallery::FRONT_LAYER, false},
    {Piece::FULLSCREEN_TEXT, "fullscreen.png", 456, 480, 256, -16, Gallery::FRONT_LAYER, false},
};

// Rows by difficulty -1, 0, 1, 2: the dots lit in the difficulty's colour, the others dim.
constexpr Color DOT_COLORS[][Gallery::DOTS] = {
    {{1, 1, 1, 0}, {1, 1, 1, 0}, {1, 1, 1, 0}},
    {{0, 1, 0, 1}, {0, 1, 0, 0.25f}, {0, 1, 0, 0.25f}},
    {{1, 1, 0, 1}, {1, 1, 0, 1}, {1, 1, 0, 0.25f}},
    {{1, 0, 0, 1}, {1, 0, 0, 1}, {1, 0, 0, 1}},
};

// The backdrop leaves the depth buffer clear for the icons; the dots, the flare and the
// texts come over them, tested against the icons but writing no depth of their own: nothing
// drawn after them tests it, and so the flare is shaded only over its bright band.
constexpr DrawPass<Gallery> PASSES[] = {
    {&Gallery::overlayScene, Gallery::BACKDROP_LAYER, PassWrites::COLOUR},
    {&Gallery::iconScene, Scene::ALL_LAYERS, PassWrites::COLOUR_AND_DEPTH},
    {&Gallery::overlayScene, Gallery::FRONT_LAYER, PassWrites::COLOUR},
};

}  // namespace

Gallery::Gallery(Application* app) : Display(app) {
    buildOverlay();
    buildIconScene();
    pressSound = Resources::getSoundResource(PRESS_SOUND);
}

void Gallery::buildOverlay() {
    overlayScene = DisplayScene::overlay(this);
    int dots = 0;
    for (const OverlayPiece& p : OVERLAY) {
        MeshRenderer* renderer;
        switch (p.piece) {
            case Piece::CHECK_TEXT:
                renderer = checkText =
                    Overlay::makePicture<CheckText>(p.texture, p.centerX, p.centerY, p.scaleX, p.scaleY);
                break;
            case Piece::FULLSCREEN_TEXT:
                renderer =
                    Overlay::makePicture<FullscreenText>(p.texture, p.centerX, p.centerY, p.scaleX, p.scaleY);
                break;
            case Piece::DOT:
                renderer = difficultyDots[dots++] =
                    Overlay::makePicture(p.texture, p.centerX, p.centerY, p.scaleX, p.scaleY);
                break;
            default:
                renderer = Overlay::makePicture(p.texture, p.centerX, p.centerY, p.scaleX, p.scaleY);
                break;
        }
        renderer->layerMask = p.layer;
        renderer->depthTest = p.depthTest;
        overlayScene->add(renderer);
    }
    add(overlayScene);
}

void Gallery::buildIconScene() {
    iconScene = DisplayScene::perspective(this);
    add(iconScene);
}

bool Gallery::isClick(Vector2 down, Vector2 up) {
    const float dx = up.x - down.x;
    const float dy = up.y - down.y;
    return std::sqrt(dx * dx + dy * dy) < CLICK_DISTANCE;
}

const Color* Gallery::dotColors(int difficulty) {
    if (difficulty < 0 || difficulty > 2) return DOT_COLORS[0];
    return DOT_COLORS[difficulty + 1];
}

Event* Gallery::onEvent(Event* e) {
    if (isEvent(e, Events::ESCAPE)) {
        // Straight to the exit screen: the base class would fade back to the gallery itself.
        // While a fade is taking the player into a teaser, that fade wins: switching now
        // would show the exit screen only to be replaced by the teaser at full black.
        if (app->exitDisplay && !leavingForATeaser()) app->window->setDisplay(app->exitDisplay);
        return e;
    }
    if (isEvent(e, Events::UPDATE)) {
        update();
    } else if (isEvent(e, Events::MOUSE_MOVE)) {
        if (app->window->mousePressed) drag(app->window->mouseDelta);
    } else if (isEvent(e, Events::MOUSE_UP)) {
        click();
    } else if (isEvent(e, Events::ENTER_TEASER)) {
        enterTeaser(e);
    }
    return Display::onEvent(e);
}

void Gallery::update() {
    clearFrame();
    turn(app->window->deltaTime, app->window->mousePressed);
    placeIcons();
    drawPasses(this, PASSES);
}

void Gallery::placeIcons() {
    int count = 0;
    for (Component* child : iconScene->children) {
        if (dynamic_cast<Icon*>(child)) count++;
    }
    if (count == 0) return;
    // Phases count the children from 0, the camera included.
    for (int i = 0; i < iconScene->children.size(); i++) {
        Icon* icon = dynamic_cast<Icon*>(iconScene->children.at(i));
        if (!icon) continue;
        const float phase = phaseOf(i, count);
        Vector3 position, travel;
        path.place(phase, &position, &travel);
        icon->localMatrix = Matrix4x4(Vector3(position.x, position.y, position.z + icon->depth));
        // Facing the viewer, its top turned along the way it travels.
        icon->lookAt(icon->localMatrix.getBase() + Vector3(0, 0, -1), travel);
        icon->localMatrix.scale(Vector3(1, Icon::HEIGHT_SCALE, 1));
        icon->ambientColor = Color{1, 1, 1, opacity(phase)};
        if (inFront(phase, count)) {
            const Color* colors = dotColors(icon->difficulty);
            for (int d = 0; d < DOTS; d++) difficultyDots[d]->ambientColor = colors[d];
        }
    }
}

void Gallery::click() {
    Window* window = app->window;
    if (!isClick(window->mouseDownPosition, window->mousePosition)) return;
    // A click counts where the button went down, even if the pointer moved a little since.
    Icon* icon = pick<Icon>(window, iconScene, window->mouseDownPosition);
    if (!icon) return;
    icon->pressTimer->start(0);
    AudioPlayer::play(pressSound->getSound());
    if (!icon->display) checkText->fadeTimer->start(0);
}

void Gallery::enterTeaser(Event* e) {
    Icon* icon = findAncestor<Icon>(e->source);
    if (icon && icon->display && app->sharedLayer) app->sharedLayer->fadeTo(icon->display);
}

bool Gallery::leavingForATeaser() const {
    const SharedLayer* layer = app->sharedLayer;
    return layer && layer->plane->visible && layer->target != this;
}
