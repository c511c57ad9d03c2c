// Brings a chosen icon of the gallery's carousel in front in a real program, through the X
// server as a player would: hold the button and drag a pixel at a time to spin it slowly,
// watch the three difficulty dots under the carousel to see which icon comes in front, and
// stop it dead by dragging so that the last five drag samples cancel out (a diagonal of half
// the window's width and height is a sample of 0). Where the carousel stands after the
// first turns depends on the real frame times, so it is read from the screen, never assumed.
//
// The dots tell the front icon's difficulty only; the order of the icons tells the rest.
// Icons are numbered by their child index in the icon scene, 1 to 8 (the camera is 0), in the
// order the game adds them; spinning forwards, icon k in front is followed by icon k - 1.
#pragma once

#include <chrono>
#include <string>

#include "support/ProgramPlay.h"
#include "support/Screenshot.h"

namespace carousel {

constexpr int ICONS = 8;
// The icon without a teaser, whose click shows the text band at the top.
constexpr int EMPTY_ICON = 8;
// What the dots show: the difficulty 0, 1 or 2 of the icon in front, CLEAR for the empty
// icon, UNREAD when they show none of these (white before the first frame, or a torn read).
constexpr int CLEAR = -1;
constexpr int UNREAD = -2;

// The difficulty of icon 1 to 8, as the gallery's dots show it.
int difficultyOf(int icon);
// The dots in a screenshot of the gallery.
int dotsIn(const Screenshot& shot);

class Steering {
public:
    explicit Steering(ProgramPlay& game) : game(game) {}

    // Spins until the empty icon comes in front and stops there; from then on the icon in
    // front is known. False when the dots never showed it.
    bool findEmptyIcon();
    // Spins the icon `icon` in front (by the shorter way whose last step the dots show) and
    // stops the carousel. False when the dots did not follow the icons' order.
    bool bringToFront(int icon);
    // Clicks the icon in front where it stands.
    void clickFront();

    int front = 0;        // the icon in front, 0 while unknown
    std::string trouble;  // what went wrong, when a step returned false
    std::string trace;    // what the steering did and saw, with seconds: for the failure message

private:
    // Holds the button and sets the spin to `pixels` per drag sample (negative: backwards).
    void spin(int pixels);
    // Stops the carousel and lets the button go, far enough from where it went down that the
    // release is no click.
    void stop();
    // Waits for the dots to leave `from` for a readable state; UNREAD after the deadline.
    int nextDots(int from, double seconds);
    // Spins from the known icon in front to `icon` and stops; false when the dots showed
    // something else on the way.
    bool approach(int icon);
    // Two shots a quarter of a second apart show the carousel at the same place.
    bool standsStill();
    void note(const std::string& what);

    ProgramPlay& game;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point stopped;  // when the last stop's motions were sent
    int holdX = 0;                                  // where the pointer is while the button is held
    int direction = 0;                              // of the last spin: +1 forwards, -1 backwards
    double enteredPhase = 0.5;                      // where the icon in front stood when the carousel stopped
    double turnsPerSecond = 0;                      // of the last spin
    double secondsSinceEntry = 0;                   // from the dots' change to the stop
};

}  // namespace carousel
