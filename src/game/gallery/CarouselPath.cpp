// CarouselPath: the scratch timer and the three key rows.
#include "game/gallery/CarouselPath.h"

#include "window/Interpolation.h"

CarouselPath::CarouselPath() : timer(1.0f) { timer.setIntervals(POINTS, TIMES); }

Vector3 CarouselPath::read() {
    const int stride = sizeof(float);
    return Vector3(Interpolation::cubic(&timer, X, stride, 0, false),
                   Interpolation::cubic(&timer, Y, stride, 0, false),
                   Interpolation::cubic(&timer, Z, stride, 0, false));
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
