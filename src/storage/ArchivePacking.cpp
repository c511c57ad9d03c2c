// Archive: packing a directory tree on disk into a pack file.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "core/Buffer.h"
#include "core/List.h"
#include "core/String.h"
#include "storage/Archive.h"
#include "storage/ContentCipher.h"
#include "storage/File.h"
#include "storage/PackTransform.h"

namespace {

// Depth-first walk of a directory tree on disk, each directory listed once, entries in the
// order the file system delivers them, . and .. left out.
class DiskWalk {
public:
    enum Step { ENTRY, CLIMB, END };

    String path;  // absolute path of the entry returned last
    String name;
    bool directory = false;

    // False when the top directory cannot be listed.
    bool begin(const String& top) {
        levels.clear();
        return push(top);
    }

    // ENTRY: path/name/directory describe the next entry. CLIMB: the directory entered
    // last is finished. END: the walk is over.
    Step next() {
        while (!levels.empty()) {
            Level& level = levels.back();
            if (level.index >= level.names.size()) {
                levels.pop_back();
                if (levels.empty()) return END;
                return CLIMB;
            }
            name = level.names.at(level.index++);
            if (name == "." || name == "..") continue;
            path = level.path;
            path += File::FILE_SEPARATOR;
            path += name;
            directory = File(path).isDirectory();
            return ENTRY;
        }
        return END;
    }

    // Walks into the directory returned last; false when it cannot be listed.
    bool descend() { return push(path); }

private:
    struct Level {
        String path;
        List<String> names;
        int index = 0;
    };
    std::vector<Level> levels;

    bool push(const String& directoryPath) {
        Level level;
        level.path = directoryPath;
        if (!File(directoryPath).list(level.names)) return false;
        levels.push_back(std::move(level));
        return true;
    }
};

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The sum of the sizes of every non-directory below an absolute path.
unsigned long long sumFileSizes(char const* top) {
    DiskWalk walk;
    if (!walk.begin(top)) return 0;
    unsigned long long total = 0;
    for (DiskWalk::Step step; (step = walk.next()) != DiskWalk::END;) {
        if (step != DiskWalk::ENTRY) continue;
        if (walk.directory) {
            walk.descend();
            continue;
        }
        int size = File(walk.path).size();
        if (size > 0) total += static_cast<unsigned long long>(size);
    }
    return total;
}

}  // namespace

int Archive::getDirectorySize(char const* path) {
    if (!path || chdir(path) != 0) return 0;
    unsigned long long total = sumFileSizes(File::getCurrentDirectory().getFilename());
    return total > INT_MAX ? INT_MAX : static_cast<int>(total);
}

int Archive::packFile(char const* sourceDirectory, char const* packPath, char const* givenPassword) {
    setFailedPath(nullptr);
    if (mode != 0 || file) return PACK_CANNOT_CREATE;
    // Check the source before the pack is created, so a mistyped source leaves an existing
    // pack of that name alone.
    struct stat info;
    if (!sourceDirectory || stat(sourceDirectory, &info) != 0 || !S_ISDIR(info.st_mode) ||
        access(sourceDirectory, R_OK | X_OK) != 0) {
        setFailedPath(sourceDirectory);
        return PACK_NO_SOURCE;
    }
    if (!createPackFile(packPath, givenPassword)) {
        setFailedPath(packPath);
        return PACK_CANNOT_CREATE;
    }
    // The pack itself may lie inside the source tree; it must not pack itself.
    struct stat packInfo;
    bool packKnown = stat(packPath, &packInfo) == 0;

    auto fail = [&](int result, char const* path) {
        abandonWriting();
        setFailedPath(path);
        return result;
    };

    if (chdir(sourceDirectory) != 0) return fail(PACK_NO_SOURCE, sourceDirectory);
    File top = File::getCurrentDirectory();
    if (top.getFilename()[0] == 0) return fail(PACK_NO_SOURCE, sourceDirectory);

    if (proc) {
        unsigned long total = static_cast<unsigned long>(sumFileSizes(top.getFilename()));
        proc(0, top.getFilename(), packPath, &total, nullptr);
    }

    DiskWalk walk;
    if (!walk.begin(top.getFilename())) return fail(PACK_READ_FAILED, top.getFilename());
    for (DiskWalk::Step step; (step = walk.next()) != DiskWalk::END;) {
        if (step == DiskWalk::CLIMB) {
            returnFromDirectory();
            continue;
        }
        if (walk.directory) {
            if (!addDirectory(walk.name, true)) {
                return fail(writeFailed ? PACK_WRITE_FAILED : PACK_BAD_NAME, walk.path);
            }
            unsigned char flag = 1;
            if (!writeAll(&flag, 1)) return fail(PACK_WRITE_FAILED, packPath);
            if (!walk.descend()) return fail(PACK_READ_FAILED, walk.path);
            continue;
        }
        if (packKnown && stat(walk.path, &info) == 0 && sameFile(info, packInfo)) continue;
        unsigned char answer = 2;
        if (proc) answer = proc(4, walk.path, packPath, nullptr, nullptr);
        if (answer == 0) continue;
        if (!addDirectory(walk.name, false)) {
            return fail(writeFailed ? PACK_WRITE_FAILED : PACK_BAD_NAME, walk.path);
        }
        int result = writeEntryContent(walk.path, packPath, proc && answer != 2);
        if (result != PACK_OK)
            return fail(result, result == PACK_WRITE_FAILED ? packPath : walk.path.c_str());
    }
    if (!closePackFile()) {
        setFailedPath(packPath);
        return PACK_WRITE_FAILED;
    }
    return PACK_OK;
}

int Archive::writeEntryContent(char const* path, char const* packPath, bool supplied) {
    unsigned char flag = 0;
    if (!supplied) {
        Buffer* raw = File(path).read();
        if (!raw) return PACK_READ_FAILED;
        Buffer* stream = raw->compress(-1);
        delete raw;
        if (!stream) return PACK_READ_FAILED;
        long size = stream->size;
        bool written = writeAll(&flag, 1) && writeInt32(size, PackTransform::sizeWrite);
        // The compressed stream is ours: encipher it in place, piece by piece.
        for (long start = 0; written && start < size; start += PIECE_SIZE) {
            long n = size - start < PIECE_SIZE ? size - start : PIECE_SIZE;
            if (proc) {
                unsigned long value = static_cast<unsigned long>(n);
                proc(2, path, packPath, &value, nullptr);
            }
            ContentCipher::encipher(stream->data + start, n, start);
            written = writeAll(stream->data + start, n);
        }
        delete stream;
        return written ? PACK_OK : PACK_WRITE_FAILED;
    }

    unsigned long size = 0;
    proc(5, path, packPath, &size, nullptr);
    if (size > INT32_MAX) return PACK_BAD_CALLBACK;
    if (!writeAll(&flag, 1) || !writeInt32(static_cast<long>(size), PackTransform::sizeWrite)) {
        return PACK_WRITE_FAILED;
    }
    unsigned long written = 0;
    unsigned long last = 0;
    while (written < size) {
        unsigned long length = 0;
        void* piece = nullptr;
        proc(6, path, packPath, &length, &piece);
        // An empty piece would never finish the entry; a long one would overrun its size.
        if (!piece || length == 0 || length > size - written) return PACK_BAD_CALLBACK;
        unsigned long value = length;
        proc(2, path, packPath, &value, nullptr);
        unsigned char* bytes = static_cast<unsigned char*>(piece);
        long n = static_cast<long>(length);
        long start = static_cast<long>(written);
        ContentCipher::encipher(bytes, n, start);
        bool ok = writeAll(bytes, n);
        ContentCipher::uncipher(bytes, n, start);
        if (!ok) return PACK_WRITE_FAILED;
        written += length;
        last = length;
    }
    proc(7, path, packPath, &last, nullptr);
    return PACK_OK;
}
