#include "storage/PackEntry.h"

#include <cstdlib>

#include "storage/HeapArray.h"

void PK_DIR::deleteTree(PK_DIR* node) {
    // Post-order through the parent links: take the last remaining child until a node has
    // none left, then free it and climb. Needs no memory of its own.
    PK_DIR* top = node ? node->parent : nullptr;
    while (node && node != top) {
        if (node->count > 0 && node->children) {
            PK_DIR* child = node->children[--node->count];
            if (child) {
                child->parent = node;
                node = child;
            }
            continue;
        }
        PK_DIR* up = node->parent;
        free(node->name);
        free(node->children);
        delete node;
        node = up;
    }
}

bool PK_DIR::addChild(PK_DIR* node, PK_DIR* child) {
    // The array's capacity is the next power of two at or above count, so it only has to
    // grow when count is one.
    int32_t n = node->count;
    if (n >= (1 << 30)) return false;
    if ((n & (n - 1)) == 0) {
        int capacity = n == 0 ? 1 : n * 2;
        void* array = node->children;
        if (!ResizeArray(static_cast<int>(sizeof(PK_DIR*)), &array, n, capacity)) return false;
        node->children = static_cast<PK_DIR**>(array);
    }
    node->children[n] = child;
    node->count = n + 1;
    child->parent = node;
    return true;
}
