// CarouselPath: the scratch timer and the three key rows.
#include "game/gallery/CarouselPath.h"

#include <cstddef>

#include "window/Interpolation.h"

CarouselPath::CarouselPath() : timer(KEYS[POINTS - 1].time) {
    float times[POINTS];
    for (int i = 0; i < POINTS; i++) times[i] = KEYS[i].time;
    timer.setIntervals(POINTS, times);
}

Vector3 CarouselPath::read() {
    const int stride = sizeof(Key);
    return Vector3(Interpolation::cubic(&timer, KEYS, stride, offsetof(Key, x), false),
                   Interpolation::cubic(&timer, KEYS, stride, offsetof(Key, y), false),
                   Interpolation::cubic(&timer, KEYS, stride, offsetof(Key, z), false));
}

Vector3 CarouselPath::at(float time) {
    timer.start(time);
    return read();
}

void CarouselPath::place(float phase, Vector3* position, Vector3* travel) {
    *position = at(phase - LEAD);
    // Stepped on from where the reading left the timer, as a frame would move it.
    timer.animate(LOOK_AHEAD);
    Vector3 ahead = read();
    *travel = Vector3(ahead.x - position->x, ahead.y - position->y, 0);
}
