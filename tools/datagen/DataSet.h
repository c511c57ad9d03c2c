// The game's data set: every file the programs load by name, and the studio that makes them.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "Geometry.h"
#include "Image.h"
#include "Text.h"

namespace datagen {

enum class Kind { Picture, Mesh, Sound };

struct Entry {
    const char* name;
    Kind kind;
    bool alpha;  // pictures: written as RGBA (blended by the game) rather than RGB
};

// Every file of the data set, in the order they are written.
const std::vector<Entry>& entries();

// Makes pictures and meshes on demand and keeps them, since previews reuse them. Lookups
// may come from several threads; entries are never removed, so references stay valid.
class Studio {
public:
    explicit Studio(const TextRenderer& text) : text(text) {}

    const Image& picture(const std::string& name);
    const TriMesh& mesh(const std::string& name);

    const TextRenderer& text;

private:
    std::mutex lock;
    std::map<std::string, Image> pictures;
    std::map<std::string, TriMesh> meshes;
};

// Writes every entry under dir (created if missing), or only the named ones when `only` is
// not empty. On failure returns false with a message.
bool writeDataSet(Studio& studio, const std::string& dir, std::string& error,
                  const std::vector<std::string>& only = {}, bool verbose = false);

// A sheet of every picture on a checkerboard, for looking at the set as a whole.
bool writeContactSheet(Studio& studio, const std::string& path);

}  // namespace datagen
