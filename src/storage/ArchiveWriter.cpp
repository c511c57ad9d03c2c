// Archive: building a pack record by record, then its directory and trailer on close.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/Buffer.h"
#include "storage/Archive.h"
#include "storage/HeapArray.h"
#include "storage/PackTransform.h"
#include "storage/PackWalk.h"

namespace {
const char MAGIC[8] = {'A', 'h', 'o', 'j', ' ', ':', '-', ')'};
}

bool Archive::createPackFile(char const* path, char const* givenPassword) {
    if (mode != 0 || file) return false;
    if (!openWrite(path)) return false;
    root = new (std::nothrow) PK_DIR();
    if (!root) {
        close();
        return false;
    }
    current = root;
    password = givenPassword;
    writeFailed = false;
    mode = 1;
    writeAll(MAGIC, sizeof MAGIC);
    return true;
}

bool Archive::addDirectory(char const* name, bool enter) {
    if (mode != 1 || !name || !current) return false;
    // A name byte FF would be stored as 0, the terminator, and corrupt the directory.
    if (strchr(name, '\xFF')) return false;
    long position = tell();
    if (position < 0 || position > INT32_MAX) {
        writeFailed = true;
        return false;
    }
    PK_DIR* node = new (std::nothrow) PK_DIR();
    if (!node) return false;
    node->name = DupliStr(name);
    node->offset = static_cast<int32_t>(position);
    if (!node->name || !PK_DIR::addChild(current, node)) {
        free(node->name);
        delete node;
        return false;
    }
    if (enter) current = node;
    return true;
}

bool Archive::writeToDirectory(void* data, int length) {
    if (mode != 1) return false;
    return length < 1 || writeAll(data, length);
}

bool Archive::writeAll(void const* source, long length) {
    if (length < 1) return true;
    if (write(source, 1, length) != length) writeFailed = true;
    return !writeFailed;
}

bool Archive::writeInt32(long value, void (*transform)(unsigned char*)) {
    unsigned char field[4];
    PackTransform::putInt32(field, static_cast<int32_t>(value));
    if (transform) transform(field);
    return writeAll(field, 4);
}

bool Archive::closeWriting() {
    // The directory is gathered in memory and written at once.
    Buffer directory;
    long passwordLength = password ? static_cast<long>(strlen(password)) : 0;
    unsigned char field[4];
    PackTransform::putInt32(field, static_cast<int32_t>(passwordLength));
    directory.write(field, 4);
    if (passwordLength > 0) {
        unsigned char* copy = static_cast<unsigned char*>(malloc(static_cast<size_t>(passwordLength)));
        if (copy) {
            memcpy(copy, password, static_cast<size_t>(passwordLength));
            PackTransform::passwordWrite(copy, static_cast<int>(passwordLength));
            directory.write(copy, static_cast<int>(passwordLength));
            free(copy);
        } else {
            writeFailed = true;
        }
    }
    PackTransform::putInt32(field, root->count);
    directory.write(field, 4);

    long expected = 8 + passwordLength;
    PackWalk walk(root);
    while (PK_DIR* node = walk.next()) {
        size_t nameLength = strlen(node->name);
        expected += static_cast<long>(nameLength) + 9;
        for (size_t i = 0; i < nameLength; ++i) {
            unsigned char inverted = static_cast<unsigned char>(~static_cast<unsigned char>(node->name[i]));
            directory.write(&inverted, 1);
        }
        unsigned char terminator = 0;
        directory.write(&terminator, 1);
        PackTransform::putInt32(field, node->offset);
        PackTransform::offsetWrite(field);
        directory.write(field, 4);
        PackTransform::putInt32(field, node->count);
        PackTransform::countWrite(field);
        directory.write(field, 4);
    }
    if (directory.size != expected) writeFailed = true;  // the Buffer ran out of memory

    writeAll(directory.data, directory.size);
    writeInt32(directory.size, PackTransform::trailerWrite);
    if (!close()) writeFailed = true;
    PK_DIR::deleteTree(root);
    root = current = nullptr;
    password = nullptr;
    mode = 0;
    return !writeFailed;
}

void Archive::abandonWriting() {
    close();
    PK_DIR::deleteTree(root);
    root = current = nullptr;
    password = nullptr;
    mode = 0;
}
