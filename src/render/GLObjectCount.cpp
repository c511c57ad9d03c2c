#include "render/GLObjectCount.h"

int GLObjectCount::textures = 0;
int GLObjectCount::buffers = 0;
int GLObjectCount::programs = 0;
