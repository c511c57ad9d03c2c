#include "storage/PackWalk.h"

#include <string>

PackWalk::PackWalk(PK_DIR* top) {
    if (top) frames.push_back({top, 0});
}

PK_DIR* PackWalk::next() {
    if (last && !skip && last->count > 0 && last->children) frames.push_back({last, 0});
    skip = false;
    last = nullptr;
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.index < frame.directory->count && frame.directory->children) {
            last = frame.directory->children[frame.index++];
            lastDepth = static_cast<int>(frames.size()) - 1;
            return last;
        }
        frames.pop_back();
    }
    lastDepth = -1;
    return nullptr;
}

String PackWalk::path() const {
    if (!last) return String();
    // The frames hold every ancestor of the last node below the top, in order.
    std::string joined;
    for (size_t i = 1; i < frames.size(); ++i) {
        PK_DIR* directory = frames[i].directory;
        joined += directory->name ? directory->name : "";
        joined += '/';
    }
    joined += last->name ? last->name : "";
    return String(joined.c_str());
}
