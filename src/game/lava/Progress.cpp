#include "game/lava/Progress.h"

#include <algorithm>

#include "app/Display.h"
#include "app/Overlay.h"
#include "game/lava/LavaLayers.h"
#include "scene/MeshRenderer.h"

Progress::Progress() { localMatrix.translate(Vector3(Display::OVERLAY_CENTER_X, ROW_Y, 0)); }

float Progress::fragmentX(int k, int moves) { return PITCH / 2 + PITCH * k - PITCH / 2 * moves; }

Color Progress::colour(int moves) {
    float m = static_cast<float>(moves);
    float red = std::min(1.0f, m / 10);
    float green = std::clamp(1 - (m - 10) / 10, 0.0f, 1.0f);
    return Color{red, green, 0, 1};
}

void Progress::refresh() {
    removeChildren();
    Color c = colour(moves);
    for (int k = 0; k < moves; k++) {
        MeshRenderer* fragment = Overlay::makePicture("progressFragment.png", fragmentX(k, moves), 0, 4, -16);
        fragment->ambientColor = c;
        fragment->layerMask = LavaLayers::OVER_STONES;
        add(fragment);
    }
}
