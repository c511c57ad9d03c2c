// Archive: the cipher primitives, opening and parsing a pack, navigation and reading.
// A pack is input from outside: every length, count, offset and size read from it is
// checked against the bytes that are really there before it is used.
#include "storage/Archive.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "core/Buffer.h"
#include "storage/ContentCipher.h"
#include "storage/HeapArray.h"
#include "storage/PackTransform.h"

namespace {

constexpr long MAGIC_LENGTH = 8;
constexpr long TRAILER_LENGTH = 4;
// A descriptor holds at least its name terminator, its offset and its count.
constexpr long MIN_DESCRIPTOR = 9;
// A file record: flag byte and size before the content.
constexpr long FILE_HEADER = 5;

int keyLength(char const* key) { return static_cast<int>(strlen(key)); }

bool isSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

Archive::~Archive() {
    closePackFile();
    free(failedPath);
}

void Archive::setFailedPath(char const* path) {
    free(failedPath);
    failedPath = DupliStr(path);
}

namespace {

// Byte i gets key[(start + i) mod L] added (sign 1) or subtracted (sign -1). A start past
// the key wraps instead of reading beyond it.
void applyKey(void* data, int length, char const* key, int start, int sign) {
    if (!data || length < 1 || !key) return;
    int l = keyLength(key);
    if (l == 0) return;
    int j = start % l;
    if (j < 0) j += l;
    unsigned char* bytes = static_cast<unsigned char*>(data);
    for (int i = 0; i < length; ++i) {
        bytes[i] = static_cast<unsigned char>(bytes[i] + sign * static_cast<unsigned char>(key[j]));
        if (++j == l) j = 0;
    }
}

}  // namespace

void Archive::encipher(void* data, int length, char const* key, int start) {
    applyKey(data, length, key, start, 1);
}

void Archive::uncipher(void* data, int length, char const* key, int start) {
    applyKey(data, length, key, start, -1);
}

void Archive::xorencode(void* data, int length) {
    if (!data) return;
    unsigned char* bytes = static_cast<unsigned char*>(data);
    for (int i = 0; i < length; ++i) bytes[i] = static_cast<unsigned char>(~bytes[i]);
}

int Archive::openPackFile(char const* path, char const* givenPassword) {
    if (mode != 0 || file) return 1;
    if (!openRead(path)) return 1;

    long end = -1;
    unsigned char trailer[4];
    if (!seekEnd(0) || (end = tell()) < MAGIC_LENGTH + 8 + TRAILER_LENGTH || !seekSet(end - TRAILER_LENGTH) ||
        read(trailer, 1, TRAILER_LENGTH) != TRAILER_LENGTH) {
        close();
        return 1;
    }
    PackTransform::trailerRead(trailer);
    long length = PackTransform::getInt32(trailer);
    // The directory holds at least P and N, and sits after the magic.
    if (length < 8 || length > end - TRAILER_LENGTH - MAGIC_LENGTH) {
        close();
        return 1;
    }
    long start = end - TRAILER_LENGTH - length;
    unsigned char* block = static_cast<unsigned char*>(malloc(static_cast<size_t>(length)));
    if (!block || !seekSet(start) || read(block, 1, length) != length || !seekSet(0)) {
        free(block);
        close();
        return 1;
    }

    recordsEnd = start;
    packLength = end;
    int result = parseDirectory(block, length, givenPassword);
    free(block);
    if (result != 0) {
        PK_DIR::deleteTree(root);
        root = current = nullptr;
        recordsEnd = packLength = 0;
        close();
        return result;
    }
    current = root;
    mode = 2;
    return 0;
}

int Archive::parseDirectory(const unsigned char* block, long length, char const* givenPassword) {
    const unsigned char* p = block;
    const unsigned char* end = block + length;

    long storedPassword = PackTransform::getInt32(p);
    p += 4;
    if (storedPassword < 0 || storedPassword > (end - p) - 4) return 1;
    if (storedPassword != 0 && !givenPassword) return 2;
    p += storedPassword;

    long mainCount = PackTransform::getInt32(p);
    p += 4;
    if (mainCount < 0 || mainCount > (end - p) / MIN_DESCRIPTOR) return 1;

    root = new (std::nothrow) PK_DIR();
    if (!root) return 1;
    root->count = static_cast<int32_t>(mainCount);
    if (mainCount == 0) return 0;

    // Descriptors announced by the counts read so far but not parsed yet. Every one needs
    // MIN_DESCRIPTOR bytes, which bounds the nodes allocated by the size of the block.
    long pending = mainCount;
    // Child index per level; the array doubles when full so deep trees stay linear.
    int* stack = nullptr;
    int depth = 0;
    int capacity = 0;
    int result = 1;
    PK_DIR* node = nullptr;

    // Gives `directory` its children and makes the first one the node to fill.
    auto expand = [&](PK_DIR* directory) -> bool {
        void* array = nullptr;
        if (!ResizeArray(static_cast<int>(sizeof(PK_DIR*)), &array, 0, directory->count)) {
            directory->count = 0;
            return false;
        }
        directory->children = static_cast<PK_DIR**>(array);
        for (int i = 0; i < directory->count; ++i) {
            PK_DIR* child = new (std::nothrow) PK_DIR();
            if (!child) {
                directory->count = i;  // keep the tree consistent for deleteTree
                return false;
            }
            child->parent = directory;
            directory->children[i] = child;
        }
        if (depth == capacity) {
            int grown = capacity == 0 ? 16 : capacity * 2;
            void* grownStack = stack;
            if (!ResizeArray(static_cast<int>(sizeof(int)), &grownStack, capacity, grown)) return false;
            stack = static_cast<int*>(grownStack);
            capacity = grown;
        }
        stack[depth++] = 0;
        node = directory->children[0];
        return true;
    };

    if (!expand(root)) {
        free(stack);
        return 1;
    }
    for (;;) {
        // Fill `node` from the next descriptor; its name must end inside the block.
        const unsigned char* terminator =
            static_cast<const unsigned char*>(memchr(p, 0, static_cast<size_t>(end - p)));
        if (!terminator || (end - terminator) - 1 < 8) break;
        size_t nameLength = static_cast<size_t>(terminator - p);
        node->name = static_cast<char*>(malloc(nameLength + 1));
        if (!node->name) break;
        for (size_t i = 0; i < nameLength; ++i) node->name[i] = static_cast<char>(~p[i]);
        node->name[nameLength] = 0;
        p = terminator + 1;
        unsigned char field[4];
        memcpy(field, p, 4);
        PackTransform::offsetRead(field);
        long offset = PackTransform::getInt32(field);
        memcpy(field, p + 4, 4);
        PackTransform::countRead(field);
        long count = PackTransform::getInt32(field);
        p += 8;
        --pending;
        // Every record, even a directory's single flag byte, lies in the records region.
        if (offset < MAGIC_LENGTH || offset >= recordsEnd || count < 0) break;
        if (count > (end - p) / MIN_DESCRIPTOR - pending) break;
        node->offset = static_cast<int32_t>(offset);
        node->count = static_cast<int32_t>(count);

        if (count > 0) {
            pending += count;
            if (!expand(node)) break;
            continue;
        }
        // Move on to the next sibling, climbing out of finished directories.
        bool complete = false;
        for (;;) {
            PK_DIR* parent = node->parent;
            if (stack[depth - 1] == parent->count - 1) {
                node = parent;
                if (--depth == 0) {
                    complete = true;
                    break;
                }
                continue;
            }
            node = parent->children[++stack[depth - 1]];
            break;
        }
        if (complete) {
            result = 0;
            break;
        }
    }
    free(stack);
    return result;
}

bool Archive::closePackFile() {
    if (mode == 1) return closeWriting();
    if (mode == 2) closeReading();
    return true;
}

void Archive::closeReading() {
    PK_DIR::deleteTree(root);
    root = current = nullptr;
    close();
    recordsEnd = packLength = 0;
    mode = 0;
}

void Archive::enterToDirectory(char const* name) {
    PK_DIR* child = findChild(current, name);
    if (child) current = child;
}

void Archive::returnFromDirectory() {
    // The main directory has no parent; staying there is the safe answer to that mistake.
    if (current && current->parent) current = current->parent;
}

void Archive::returnToMainDirectory() { current = root; }

int Archive::getDirectoryCount() { return current ? current->count : 0; }

char const* Archive::getDirectoryName(int index) {
    if (!current || index < 0 || index >= current->count) return nullptr;
    return current->children[index]->name;
}

int Archive::getDirectorySubCount(int index) {
    if (!current || index < 0 || index >= current->count) return 0;
    return current->children[index]->count;
}

void Archive::getDirectoryData(int index) {
    // Only a pack open for reading may be repositioned: moving the write position of a
    // pack being built would overwrite its records.
    if (mode != 2 || !current || index < 0 || index >= current->count) return;
    seekSet(current->children[index]->offset);
}

PK_DIR* Archive::findChild(PK_DIR* directory, char const* name) {
    if (!directory || !name || !directory->children) return nullptr;
    for (int i = 0; i < directory->count; ++i) {
        PK_DIR* child = directory->children[i];
        if (child->name && strcmp(child->name, name) == 0) return child;
    }
    return nullptr;
}

PK_DIR* Archive::lookUp(char const* path) {
    if (!path || !current) return nullptr;
    PK_DIR* saved = current;
    char* copy = DupliStr(path);
    if (!copy) return nullptr;
    char* component = copy;
    for (char* c = copy; *c; ++c) {
        if (!isSeparator(*c)) continue;
        *c = 0;
        if (strcmp(component, "..") == 0) {
            returnFromDirectory();
        } else if (strcmp(component, ".") != 0) {
            enterToDirectory(component);
        }
        component = c + 1;
    }
    PK_DIR* found = findChild(current, component);
    free(copy);
    current = saved;
    return found;
}

bool Archive::getDirectoryData(char const* path, long* offset) {
    PK_DIR* found = lookUp(path);
    if (!found) return false;
    if (offset) *offset = found->offset;
    if (mode == 2) seekSet(found->offset);
    return true;
}

bool Archive::readRecordHeader(PK_FILE* entry, long offset) {
    entry->offset = offset;
    unsigned char flag = 1;
    if (!seekSet(offset) || read(&flag, 1, 1) != 1) return false;
    entry->flag = flag;
    if (flag != 0) return false;
    unsigned char field[4];
    if (read(field, 1, 4) != 4) return false;
    PackTransform::sizeRead(field);
    long size = PackTransform::getInt32(field);
    if (size < 0 || size > recordsEnd - offset - FILE_HEADER) return false;
    entry->size = size;
    entry->position = 0;
    return true;
}

bool Archive::openFile(PK_FILE* entry, char const* path) {
    if (mode != 2 || !entry) return false;
    PK_DIR* found = lookUp(path);
    return found && readRecordHeader(entry, found->offset);
}

bool Archive::openFile(PK_FILE* entry, PK_DIR* node) {
    if (mode != 2 || !entry || !node) return false;
    return readRecordHeader(entry, node->offset);
}

Buffer* Archive::readFile(PK_FILE* entry) { return inflateEntry(entry, nullptr, nullptr); }

Buffer* Archive::inflateEntry(PK_FILE* entry, char const* packPath, char const* targetPath) {
    if (mode != 2 || !entry || entry->size < 0 || entry->offset < MAGIC_LENGTH ||
        entry->size > recordsEnd - entry->offset - FILE_HEADER) {
        return nullptr;
    }
    // Reading from the content start rather than from wherever the file stands keeps this
    // correct even when other reads came between openFile and here.
    if (!seekSet(entry->offset + FILE_HEADER)) return nullptr;
    // The stored stream is read straight into one block of its size, deciphered in place,
    // and handed to a Buffer (which frees it) for inflating.
    long size = entry->size;
    unsigned char* block = static_cast<unsigned char*>(malloc(static_cast<size_t>(size > 0 ? size : 1)));
    if (!block) return nullptr;
    for (long start = 0; start < size; start += PIECE_SIZE) {
        long n = size - start < PIECE_SIZE ? size - start : PIECE_SIZE;
        if (packPath && proc) {
            unsigned long value = static_cast<unsigned long>(n);
            proc(3, packPath, targetPath, &value, nullptr);
        }
        if (read(block + start, 1, n) != n) {
            free(block);
            return nullptr;
        }
        ContentCipher::uncipher(block + start, n, start);
    }
    Buffer gathered;
    gathered.data = block;
    gathered.size = static_cast<int>(size);
    return gathered.decompress();
}

bool Archive::selectFile(PK_FILE* entry) {
    if (mode != 2 || !entry || entry->position < 0 || entry->position >= entry->size) return false;
    return seekSet(entry->offset + FILE_HEADER + entry->position);
}

bool Archive::readFile(void* target, long count, PK_FILE* entry) {
    if (mode != 2 || !entry || !target || count < 1 || entry->position < 0) return false;
    long remaining = entry->size - entry->position;
    if (remaining <= 0) return false;
    long n = count < remaining ? count : remaining;
    long got = read(target, 1, n);
    if (got > 0) {
        ContentCipher::uncipher(static_cast<unsigned char*>(target), got, entry->position);
        entry->position += got;
    }
    return got == n;
}
