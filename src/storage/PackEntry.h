// The in-memory records of a pack file: PK_DIR, one node of the directory tree, and
// PK_FILE, a caller's handle on one open entry.
#pragma once

#include <cstdint>

struct PK_DIR {
    char* name = nullptr;         // malloc'ed, owned
    int32_t offset = 0;           // position of the entry's record in the pack
    PK_DIR** children = nullptr;  // malloc'ed array of `count` owned nodes, or null
    int32_t count = 0;            // number of children
    PK_DIR* parent = nullptr;     // null for the main directory

    // Frees `node` and everything below it, without recursion (trees read from a pack can
    // be arbitrarily deep).
    static void deleteTree(PK_DIR* node);
    // Appends `child` to node's children, growing the array by doubling; false when memory
    // runs out (the child is then not added).
    static bool addChild(PK_DIR* node, PK_DIR* child);
};

struct PK_FILE {
    long offset = 0;         // the record's position
    unsigned char flag = 0;  // the record's flag: 0 file, 1 directory
    long size = 0;           // stored (compressed) content bytes
    long position = 0;       // content bytes consumed by the chunk reader
};
