#include "play/GalleryView.h"

#include <algorithm>
#include <cmath>

#include "app/Display.h"
#include "app/DisplayScene.h"
#include "app/SharedLayer.h"
#include "game/gallery/Carousel.h"
#include "game/gallery/CarouselPath.h"
#include "game/gallery/Gallery.h"
#include "game/gallery/Icon.h"
#include "support/FrameClockFile.h"
#include "support/ProgramPlay.h"

namespace gallery_view {

namespace {

constexpr int WIDTH = 854, HEIGHT = 480;
constexpr float FRAME_SECONDS = static_cast<float>(FrameClockFile::FRAME_MS) / 1000.0f;

std::vector<const DisplayStep*> iconSteps() {
    std::vector<const DisplayStep*> steps;
    for (const DisplayStep& step : DISPLAY_STEPS) {
        if (step.icon) steps.push_back(&step);
    }
    return steps;
}

int iconCount() { return static_cast<int>(iconSteps().size()); }

// An icon as the gallery places it at rest: its centre, and the unit vectors along its
// width and along its top (which points the way it travels), in the icon scene.
struct Placed {
    double x = 0, y = 0, z = 0;
    double sideX = 1, sideY = 0, topX = 0, topY = 1;
};

Placed place(float turn, int icon) {
    Carousel carousel;
    carousel.rotation = turn;
    CarouselPath path;
    Vector3 position, travel;
    path.place(carousel.phaseOf(icon, iconCount()), &position, &travel);
    Placed p;
    p.x = position.x;
    p.y = position.y;
    p.z = position.z + Icon::REST_DEPTH;
    const double length = std::hypot(travel.x, travel.y);
    if (length > 0) {
        p.topX = travel.x / length;
        p.topY = travel.y / length;
        p.sideX = p.topY;
        p.sideY = -p.topX;
    }
    return p;
}

// The letter box of the window, where the icons' camera draws.
Rect box() { return Display::letterbox(WIDTH, HEIGHT, Rect{0, 0, WIDTH, HEIGHT}); }
double cotangent() { return 1 / std::tan(DisplayScene::FIELD_OF_VIEW / 2 * M_PI / 180); }
double aspect() { return static_cast<double>(box().width) / box().height; }

std::array<double, 2> project(double x, double y, double z) {
    const Rect r = box();
    const double ndcX = x / -z * cotangent() / aspect(), ndcY = y / -z * cotangent();
    return {(r.x + (ndcX + 1) / 2 * r.width) / WIDTH, (r.y + (1 - ndcY) / 2 * r.height) / HEIGHT};
}

// Whether the window point lies on the icon, with `margin` of its half sizes kept clear of
// its edges: the ray through the point meets the icon's plane inside it.
bool covers(const Placed& p, std::array<double, 2> point, double margin) {
    const Rect r = box();
    const double ndcX = (point[0] * WIDTH - r.x) / r.width * 2 - 1;
    const double ndcY = 1 - (point[1] * HEIGHT - r.y) / r.height * 2;
    const double x = ndcX * aspect() / cotangent() * -p.z, y = ndcY / cotangent() * -p.z;
    const double along = (x - p.x) * p.sideX + (y - p.y) * p.sideY;
    const double up = (x - p.x) * p.topX + (y - p.y) * p.topY;
    return std::fabs(along) < 1 + margin && std::fabs(up) < Icon::HEIGHT_SCALE * (1 + margin);
}

}  // namespace

int framesToEnterTeaser() {
    return ProgramPlay::framesOf(Icon::PRESS_SECONDS + SharedLayer::FADE_SECONDS) + 3;
}

int framesToLeaveTeaser() { return ProgramPlay::framesOf(SharedLayer::FADE_SECONDS) + 3; }

float restingTurn() {
    Carousel carousel;
    carousel.turn(0, false);
    for (int frame = 2; frame <= REST_FRAME; frame++) carousel.turn(FRAME_SECONDS, false);
    return carousel.rotation;
}

int iconOf(const DisplayStep& step) {
    const std::vector<const DisplayStep*> steps = iconSteps();
    for (size_t i = 0; i < steps.size(); i++) {
        if (steps[i] == &step) return static_cast<int>(i) + 1;
    }
    return 0;
}

int emptyIcon() {
    for (const DisplayStep& step : DISPLAY_STEPS) {
        if (step.created == DisplayKind::NO_DISPLAY) return iconOf(step);
    }
    return 0;
}

const DisplayStep& stepOf(int icon) { return *iconSteps().at(static_cast<size_t>(icon - 1)); }

int frontIcon(float turn) {
    Carousel carousel;
    carousel.rotation = turn;
    for (int icon = 1; icon <= iconCount(); icon++) {
        if (Carousel::inFront(carousel.phaseOf(icon, iconCount()), iconCount())) return icon;
    }
    return 0;
}

bool clickPoint(float turn, int icon, std::array<double, 2>* point) {
    const Placed target = place(turn, icon);
    // Beyond the far plane the camera shows nothing.
    if (target.z <= -DisplayScene::FAR_PLANE * 0.98) return false;
    // Points of the icon from its middle outwards, kept clear of every edge.
    std::vector<std::array<double, 2>> offsets;
    for (double a = -0.7; a <= 0.71; a += 0.1) {
        for (double b = -0.7; b <= 0.71; b += 0.1) offsets.push_back({a, b});
    }
    std::stable_sort(offsets.begin(), offsets.end(),
                     [](auto& l, auto& r) { return l[0] * l[0] + l[1] * l[1] < r[0] * r[0] + r[1] * r[1]; });
    for (const auto& offset : offsets) {
        const double along = offset[0], up = offset[1] * Icon::HEIGHT_SCALE;
        const std::array<double, 2> at =
            project(target.x + target.sideX * along + target.topX * up,
                    target.y + target.sideY * along + target.topY * up, target.z);
        if (at[0] < 0.02 || at[0] > 0.98 || at[1] < 0.02 || at[1] > 0.98) continue;
        bool hidden = false;
        for (int other = 1; other <= iconCount() && !hidden; other++) {
            const Placed nearer = place(turn, other);
            hidden = other != icon && nearer.z > target.z && covers(nearer, at, 0.1);
        }
        if (!hidden) {
            *point = at;
            return true;
        }
    }
    return false;
}

}  // namespace gallery_view
