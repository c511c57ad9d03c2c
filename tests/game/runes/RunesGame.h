// A runes display of one level in a running application, on a real 854 x 480 window, with
// small pictures of its own (tests may replace any), driven frame by frame and clicked with
// the window's own pointer handlers.
#pragma once

#include <map>
#include <string>

#include "game/runes/Runes.h"
#include "math/Vector2.h"
#include "math/Vector3.h"
#include "support/GameFolder.h"

class Component;
class Rune;

// Every picture the runes display asks for: 4 x 4 RGBA images of one colour each.
std::map<std::string, std::string> runesPictures();

// Every picture as runesPictures(), with `replaced` instead where given.
std::map<std::string, std::string> runesPictures(const std::map<std::string, std::string>& replaced);

struct RunesGame : GameFolder {
    Runes* runes = nullptr;

    explicit RunesGame(int level, const std::map<std::string, std::string>& pictures = runesPictures());
    // The game's own data: every picture from the pack file at `pack`.
    RunesGame(int level, const std::string& pack);

    Rune* rune(int index) const;
    // Frames of `step` seconds until `seconds` have passed.
    void run(float seconds, float step = 0.25f);
    // Frames until the runes have shown and the bar is up; fails the test after 10 s.
    void untilAnswering();
    // Where a point of the rune scene appears, in fractions of the window.
    Vector2 windowPointOf(Vector3 world) const;
    Vector2 windowPointOf(Component* node) const;
    // A press and release at a point, in fractions of the window.
    void click(Vector2 at);
    void clickOn(Component* node);
    // While the runes show, the bar is below the view, out of the pointer's reach. Presses
    // of its buttons count in any phase, so tests of such presses bring it up first.
    void raiseBar();
    // The window's back buffer as rows of RGB from the top, saved as a PNG file.
    void saveScreenshot(const std::string& file) const;
    // Clicks each rune and the symbol button of its type, as a player who remembers does.
    void answerRight();

private:
    std::string packPath;
    void show(int level);
};
