#include "storage/HeapArray.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

bool ResizeArray(int elementSize, void** array, int oldCount, int newCount) {
    if (!array || elementSize < 1 || newCount < 0) return false;
    if (newCount == 0) {
        free(*array);
        *array = nullptr;
        return true;
    }
    size_t bytes = static_cast<size_t>(elementSize) * static_cast<size_t>(newCount);
    if (bytes / static_cast<size_t>(newCount) != static_cast<size_t>(elementSize)) return false;
    void* block = malloc(bytes);
    if (!block) return false;
    int keep = oldCount < newCount ? oldCount : newCount;
    if (keep > 0 && *array)
        memcpy(block, *array, static_cast<size_t>(elementSize) * static_cast<size_t>(keep));
    free(*array);
    *array = block;
    return true;
}

char* DupliStr(char const* text) {
    if (!text) return nullptr;
    size_t length = strlen(text) + 1;
    char* copy = static_cast<char*>(malloc(length));
    if (copy) memcpy(copy, text, length);
    return copy;
}
