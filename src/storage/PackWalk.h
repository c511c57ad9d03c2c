// PackWalk: visits the nodes below a directory node depth-first in pre-order (children in
// their stored order), without recursion, so hostile trees of any depth are safe to walk.
#pragma once

#include <vector>

#include "core/String.h"
#include "storage/PackEntry.h"

class PackWalk {
public:
    explicit PackWalk(PK_DIR* top);

    // The next node, or null when the walk is over.
    PK_DIR* next();
    // Do not descend into the node that next() returned last.
    void skipChildren() { skip = true; }
    // Levels below the top of the node returned last: 0 for the top's own children.
    int depth() const { return lastDepth; }
    // The names from the top's child down to the node returned last, joined by '/'.
    String path() const;

private:
    struct Frame {
        PK_DIR* directory;
        int index;
    };
    PK_DIR* last = nullptr;
    bool skip = false;
    int lastDepth = -1;
    std::vector<Frame> frames;
};
