// Into a teaser of the whole game (support/PlayedGame.h) the way a player goes: the gallery
// comes to rest, a click lands on the teaser's icon where the game shows it, the icon sinks
// and comes back, the screen fades to black, the teaser takes its place and the fade clears.
// Where the icon stands, and that no nearer icon covers it there, the game's own objects
// tell: its place on the carousel and the gallery's picking.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/Display.h"
#include "app/SharedLayer.h"
#include "game/gallery/Gallery.h"
#include "game/gallery/Icon.h"
#include "scene/MeshRenderer.h"
#include "scene/Picking.h"
#include "scene/Scene.h"
#include "support/IconOnScreen.h"
#include "support/PlayedGame.h"
#include "window/Timer.h"
#include "window/Window.h"

namespace teaser_entry {

inline Gallery* galleryOf(PlayedGame& g) { return dynamic_cast<Gallery*>(g.gallery); }

// The icon that leads to `teaser`, or null.
inline Icon* iconOf(Gallery* gallery, Display* teaser) {
    for (Component* child : gallery->iconScene->children) {
        Icon* icon = dynamic_cast<Icon*>(child);
        if (icon && icon->display == teaser) return icon;
    }
    return nullptr;
}

// The display is up and no fade is running.
inline bool shows(PlayedGame& g, Display* display) {
    return g.window && g.window->display == display && !g.sharedLayer->plane->visible;
}

// The gallery is up, drawn with its letter box, and the carousel has come to rest (a
// thousandth of a turn per second at most): about a hundred frames after the start.
inline testing::AssertionResult galleryAtRest(PlayedGame& g) {
    Gallery* gallery = galleryOf(g);
    if (!gallery) return testing::AssertionFailure() << "no gallery";
    if (!g.waitUntil([&] { return shows(g, gallery) && gallery->viewport.width > 0; }, 150))
        return testing::AssertionFailure() << "the gallery is not shown";
    if (!g.waitUntil([&] { return gallery->spinSpeed < 1e-5f; }, 300))
        return testing::AssertionFailure() << "the carousel still turns: " << gallery->spinSpeed;
    return testing::AssertionSuccess();
}

// On the gallery at rest: a click on the middle of `teaser`'s icon, which the icon's press
// then shows (read by the frame after the release).
inline testing::AssertionResult clickIconOf(PlayedGame& g, Display* teaser) {
    testing::AssertionResult rest = galleryAtRest(g);
    if (!rest) return rest;
    Gallery* gallery = galleryOf(g);
    Icon* icon = iconOf(gallery, teaser);
    if (!icon) return testing::AssertionFailure() << "no icon leads to the teaser";
    const Vector2 at = windowPointOf(gallery, g.window, icon);
    Icon* hit = pick<Icon>(g.window, gallery->iconScene, at);
    if (hit != icon) {
        return testing::AssertionFailure() << "the icon at (" << at.x << ", " << at.y << ") is "
                                           << (hit ? "covered by a nearer one" : "not under its own middle");
    }
    g.click(at.x, at.y);
    if (!g.waitUntil([&] { return icon->pressTimer->running; }, 2))
        return testing::AssertionFailure() << "the click did not press the icon";
    return testing::AssertionSuccess();
}

// After the click: the press ends (0.25 s), the fade darkens the screen for half a second
// and switches at full black; the teaser's first frame is drawn under the black plane, which
// clears in the next half second. Both moments are kept as build/screenshots/<shot>-switch.png
// and <shot>.png when `shot` is given.
inline testing::AssertionResult fadeInto(PlayedGame& g, Display* teaser, const std::string& shot = "") {
    if (!g.waitUntil([&] { return g.sharedLayer->plane->visible && g.sharedLayer->target == teaser; }, 20))
        return testing::AssertionFailure() << "no fade towards the teaser after the press";
    if (!g.waitUntil([&] { return g.window->display == teaser; }, 30))
        return testing::AssertionFailure() << "the fade did not switch to the teaser";
    g.frame();
    const Screenshot dark = g.screenshot(shot.empty() ? "" : shot + "-switch");
    if (!g.waitUntil([&] { return shows(g, teaser); }, 30))
        return testing::AssertionFailure() << "the fade into the teaser does not clear";
    const Screenshot clear = g.screenshot(shot);
    const double before = dark.mean(0, 0, 1, 1).brightness(), after = clear.mean(0, 0, 1, 1).brightness();
    if (after < 10 || before > 0.1 * after + 1) {
        return testing::AssertionFailure()
               << "the teaser's first frame (" << before << ", " << dark.file
               << ") is not much darker than after the fade (" << after << ", " << clear.file << ")";
    }
    return testing::AssertionSuccess();
}

inline testing::AssertionResult enterTeaser(PlayedGame& g, Display* teaser, const std::string& shot = "") {
    testing::AssertionResult clicked = clickIconOf(g, teaser);
    return clicked ? fadeInto(g, teaser, shot) : clicked;
}

// From a teaser back to the gallery (Escape, the fade), to the exit screen (Escape) and out
// (a click there): the game's loop ends.
inline testing::AssertionResult leaveTheGame(PlayedGame& g) {
    g.escape();
    if (!g.waitUntil([&] { return g.sharedLayer->plane->visible; }, 2))
        return testing::AssertionFailure() << "Escape did not start the fade back";
    if (!g.waitUntil([&] { return shows(g, g.gallery); }, 60))
        return testing::AssertionFailure() << "the fade did not bring the gallery back";
    g.escape();
    if (!g.waitUntil([&] { return g.window->display == g.exitDisplay; }, 2))
        return testing::AssertionFailure() << "Escape on the gallery did not show the exit screen";
    g.frame();
    g.click(0.5, 0.5);
    if (!g.waitForEnd(5))
        return testing::AssertionFailure() << "the click on the exit screen did not end the game";
    return testing::AssertionSuccess();
}

}  // namespace teaser_entry
