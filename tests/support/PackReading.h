// Small helpers for tests of pack files: reproducible content and whole-entry reads.
#pragma once

#include <memory>
#include <random>
#include <string>

#include "core/Buffer.h"
#include "storage/Archive.h"
#include "support/Bytes.h"

// `length` bytes from a seeded generator: the same bytes on every run, barely compressible.
inline std::string pseudoRandom(size_t length, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

// The entry's bytes, or "<no entry>" when openFile fails, "<unreadable>" when readFile does.
inline std::string readEntry(Archive& archive, const char* path) {
    PK_FILE entry;
    if (!archive.openFile(&entry, path)) return "<no entry>";
    std::unique_ptr<Buffer> content(archive.readFile(&entry));
    return content ? bytesOf(*content) : "<unreadable>";
}
