// File: POSIX calls and standard I/O streams on the calling thread.
#include "storage/File.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/Buffer.h"

const char* const File::FILE_SEPARATOR = "/";

namespace {
constexpr int READ_PIECE = 4096;
}

File::File() = default;

File::File(const char* path) : path(path) {}

bool File::isExists() const {
    struct stat info;
    return stat(path, &info) == 0;
}

bool File::isDirectory() const {
    struct stat info;
    if (lstat(path, &info) != 0) {
        puts("lstat() Failed.");
        return false;
    }
    return S_ISDIR(info.st_mode);
}

File File::getParent() const {
    // Without a separator substr reports end -2 and yields the empty path.
    int last = path.lastIndexOf(FILE_SEPARATOR);
    return File(path.substr(0, last - 1));
}

File File::getSubfile(const char* name) const {
    String joined(path);
    joined += FILE_SEPARATOR;
    joined += name;
    return File(joined);
}

const char* File::getFilename() const { return path; }

int File::size() const {
    struct stat info;
    if (stat(path, &info) != 0) return -1;
    // A Buffer cannot hold more than INT32_MAX bytes; say "at least that" rather than wrap.
    return info.st_size > INT32_MAX ? INT32_MAX : static_cast<int>(info.st_size);
}

Buffer* File::read() const {
    struct stat info;
    if (stat(path, &info) != 0) return nullptr;
    if (info.st_size > INT32_MAX) return nullptr;
    FILE* stream = fopen(path, "rb");
    if (!stream) return nullptr;

    Buffer* buffer = new Buffer();
    unsigned char piece[READ_PIECE];
    bool failed = false;
    for (;;) {
        size_t got = fread(piece, 1, sizeof piece, stream);
        if (got == 0) break;
        // The file may have grown since stat(); never hand back a silently cut copy.
        if (buffer->size > INT32_MAX - static_cast<int>(got)) {
            failed = true;
            break;
        }
        buffer->write(piece, static_cast<int>(got));
    }
    // A directory opens fine on Linux and then fails to read (EISDIR): that is no empty file.
    if (ferror(stream)) failed = true;
    fclose(stream);
    if (failed) {
        delete buffer;
        return nullptr;
    }
    return buffer;
}

bool File::create() const {
    FILE* stream = fopen(path, "wb");
    if (!stream) return false;
    fclose(stream);
    return true;
}

bool File::createDirectory() const { return mkdir(path, 0777) == 0; }

void File::write(const void* bytes, int count) const {
    // Opening creates the file even for zero bytes, so an empty file can be written out.
    FILE* stream = fopen(path, "ab");
    if (!stream) return;
    if (bytes && count > 0) fwrite(bytes, 1, static_cast<size_t>(count), stream);
    fclose(stream);
}

void File::write(const String& text) const { write(text.c_str(), text.length()); }

void File::write(const Buffer& buffer) const { write(buffer.data, buffer.data ? buffer.size : 0); }

void File::write(const Buffer* buffer) const {
    // A null buffer is a failed read upstream: nothing to write, no file to create.
    if (buffer) write(*buffer);
}

bool File::list(List<String>& entries) const {
    DIR* directory = opendir(path);
    if (!directory) {
        printf("Error opening directory %s", path.c_str());
        return false;
    }
    entries.clear();
    while (struct dirent* entry = readdir(directory)) entries.add(String(entry->d_name));
    closedir(directory);
    return true;
}

File File::getApplicationDirectory() {
    // The link's target has no fixed length either: grow until readlink leaves room.
    std::vector<char> area(512);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", area.data(), area.size());
        if (n < 0) return File();
        if (static_cast<size_t>(n) < area.size()) {
            area[static_cast<size_t>(n)] = '\0';
            return File(area.data()).getParent();
        }
        area.resize(area.size() * 2);
    }
}

void File::changeDirectoryToApplication() {
    File folder = getApplicationDirectory();
    if (folder.getFilename()[0] != '\0') changeDirectory(folder.getFilename());
}

File File::getCurrentDirectory() {
    // No fixed area: grow until the name fits, whatever length the system allows.
    size_t capacity = 512;
    char* area = nullptr;
    for (;;) {
        char* grown = static_cast<char*>(realloc(area, capacity));
        if (!grown) break;
        area = grown;
        if (getcwd(area, capacity)) {
            File current(area);
            free(area);
            return current;
        }
        if (errno != ERANGE) break;
        capacity *= 2;
    }
    free(area);
    return File();
}

void File::changeDirectory(const char* path) {
    if (chdir(path) != 0) {
        // Ignored by design: callers check the directory they land in when it matters.
    }
}
