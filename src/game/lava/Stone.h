// Stone: one of the seven glowing stones of the lava-stones teaser. It is lit or dark; its
// brightness follows its state over a few frames, it spins about its axis when it lights up
// (the spin dies down unless it celebrates a win), and it bursts in a Nova when it lights up
// or celebrates. It answers the display's broadcasts (game/lava/LavaEvents.h) and is picked
// by its real shape.
#pragma once

#include "game/lava/StoneKind.h"
#include "math/Color.h"
#include "math/Vector3.h"
#include "scene/MeshRenderer.h"

class Stone : public MeshRenderer {
public:
    static constexpr float DARK = 0.3f;           // brightness of a dark stone; lit is 1
    static constexpr float LIGHT_UP_RATE = 2.0f;  // brightness per second towards lit
    static constexpr float DIM_RATE = 0.5f;       // brightness per second towards dark
    static constexpr float SPIN_DECAY = 10.0f;    // degrees per second, each second
    static constexpr float BURST_SPIN = 100.0f;   // degrees per second after lighting up
    static constexpr float SCALE = 0.25f;

    int id;  // 0 to 6; decides which stones a click switches
    bool lit;
    Vector3 axis;    // unit spin axis
    float spin = 0;  // degrees per second
    bool celebrating = false;
    StoneKind kind;

    // At (x, y) in the stones' plane, tilted by 45 degrees about a random axis (three rand()).
    Stone(int id, bool lit, float x, float y, const char* mesh, StoneKind kind);

    // Draws a new spin axis (three rand()).
    void randomAxis();

    Event* onEvent(Event* e) override;

    // A random unit axis from three draws: r1, r2, r3 give (r3/50 - 1, r2/50 - 1, r1/50 - 1),
    // normalised; (0, 1, 0) when that is too short to normalise.
    static Vector3 drawAxis();
    // The picture and nova colour of a kind; a value outside the kinds looks like green lava.
    static const StoneLook& look(StoneKind kind);
    // The brightness b after dt seconds of moving towards lit or dark.
    static float brightnessAfter(float b, bool lit, float dt);

private:
    // A Nova out of this stone along its axis, in the stone's scene.
    void burst();
};
