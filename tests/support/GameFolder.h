// A running application in a temporary folder holding a small data set of its own under
// data/: a real window with its GL context, the fade layer, and the registry reading from
// data/ (there is no pack). The pictures are given by the test; the shader sources are the
// game's own.
#pragma once

#include <map>
#include <string>

#include "game/Quandrels.h"
#include "support/TempDir.h"
#include "support/WorkingDirectory.h"

class GameFolder {
public:
    // name -> PNG bytes, written under data/.
    explicit GameFolder(const std::map<std::string, std::string>& pictures);
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    // One frame's "update" from the window, with the given frame time; no swap or pacing.
    void frame(float deltaTime);
    // R, G, B, A of the pixel at (x, y) of the window's back buffer, y downwards.
    unsigned int pixel(int x, int y) const;

    WorkingDirectoryGuard cwd;
    TempDir dir;
    Quandrels app;
};

// Bytes of a pixel from GameFolder::pixel.
inline int red(unsigned int rgba) { return static_cast<int>(rgba & 0xFF); }
inline int green(unsigned int rgba) { return static_cast<int>((rgba >> 8) & 0xFF); }
inline int blue(unsigned int rgba) { return static_cast<int>((rgba >> 16) & 0xFF); }
