// The pictures of every display that both builds take at the same moment of the same game
// (DisplayPicturesTest), kept as build/screenshots/compare/<build>-<display>.png, and how far
// two of them are apart (BothBuildsPicturesTest compares the builds' sets).
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "game/DisplayTable.h"
#include "support/Screenshot.h"

namespace display_pictures {

// Frames of 20 ms that each display runs for once its fade has ended, before its picture.
inline constexpr int FRAMES_SHOWN = 60;

inline std::string folder() { return screenshotFolder() + "/compare"; }

// A display's name for pictures: "gallery", "lava1", "runes2", "exit"; empty for a step
// that builds no display.
inline std::string displayName(const DisplayStep& step) {
    switch (step.created) {
        case DisplayKind::GALLERY:
            return "gallery";
        case DisplayKind::LAVA_STONES:
            return "lava" + std::to_string(step.level);
        case DisplayKind::RUNES:
            return "runes" + std::to_string(step.level);
        case DisplayKind::EXIT:
            return "exit";
        case DisplayKind::NO_DISPLAY:
            break;
    }
    return "";
}

// The name of each display the game builds, in the order it builds them: "gallery",
// "lava1", "lava4", "lava2", "lava3", "runes1", "runes2", "runes3", "exit".
inline std::vector<std::string> displayNames() {
    std::vector<std::string> names;
    for (const DisplayStep& step : DISPLAY_STEPS) {
        if (step.created != DisplayKind::NO_DISPLAY) names.push_back(displayName(step));
    }
    return names;
}

// The picture of a display from one build ("shader" or "fixed"), relative to the screenshot
// folder (for Screenshot::save) and as a whole path.
inline std::string pictureName(const std::string& build, const std::string& display) {
    return "compare/" + build + "-" + display;
}
inline std::string picturePath(const std::string& build, const std::string& display) {
    return folder() + "/" + build + "-" + display + ".png";
}

// Mean absolute difference of two pictures of the same size over every channel of every
// pixel, in percent of full scale (255); a negative value when they cannot be compared.
inline double meanDifferencePercent(const Screenshot& a, const Screenshot& b) {
    if (a.empty() || a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) return -1;
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); i++) sum += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
    return 100.0 * sum / (255.0 * a.rgb.size());
}

}  // namespace display_pictures
