// Entry point of both programs: the application does everything in start().
#include "game/Quandrels.h"

int main() {
    Quandrels quandrels;
    quandrels.start();
    return 0;
}
