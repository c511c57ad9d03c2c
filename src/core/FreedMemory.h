// FreedMemory: gives the pages of memory that is free again back to the system. At a display
// switch and at a fullscreen toggle the drivers free textures, compiled shaders and a whole
// GL context, blocks of every size, and load the next ones; glibc keeps most of what was
// freed in its arenas, between blocks still in use, where it stays resident and grows with
// every switch although nothing is held (the soak bench shows it: resident memory climbing
// while the bytes in use stay flat). Called right after those moments, never per frame.
#pragma once

void returnFreedMemory();
