// Archive: unpacking a pack into a directory tree. Entry names come from outside, so every
// file and directory is created relative to an open descriptor of its parent, never through
// a symbolic link, and names that could leave the target are not extracted.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "core/Buffer.h"
#include "core/String.h"
#include "storage/Archive.h"
#include "storage/File.h"
#include "storage/PackWalk.h"

namespace {

// Creates a directory below `parent`, or accepts a real directory already there; anything
// else in the way (a file, a symbolic link) is refused.
bool makeDirectory(int parent, char const* name) {
    if (mkdirat(parent, name, 0777) == 0) return true;
    if (errno != EEXIST) return false;
    struct stat info;
    return fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

int openDirectory(int parent, char const* name) {
    return openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Appends to (or creates) a regular file below `parent`. O_NOFOLLOW refuses a symbolic
// link; O_NONBLOCK keeps a FIFO planted there from blocking, and fstat refuses it.
bool appendTo(int parent, char const* name, const unsigned char* bytes, long length) {
    int fd = openat(parent, name, O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    while (ok && length > 0) {
        ssize_t written = ::write(fd, bytes, static_cast<size_t>(length));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            ok = false;
            break;
        }
        bytes += written;
        length -= written;
    }
    if (::close(fd) != 0) ok = false;
    return ok;
}

String joinPath(const String& directory, char const* name) {
    String joined(directory);
    joined += File::FILE_SEPARATOR;
    joined += name;
    return joined;
}

}  // namespace

bool Archive::isSafeName(char const* name) {
    if (!name || !name[0] || strcmp(name, ".") == 0 || strcmp(name, "..") == 0) return false;
    return !strchr(name, '/') && !strchr(name, '\\');
}

int Archive::extractFile(char const* packPath, char const* targetDirectory, char const* givenPassword) {
    setFailedPath(nullptr);
    int opened = openPackFile(packPath, givenPassword);
    if (opened != 0) return opened;

    File target(targetDirectory ? targetDirectory : "");
    target.createDirectory();
    struct stat info;
    if (!targetDirectory || stat(targetDirectory, &info) != 0 || !S_ISDIR(info.st_mode)) {
        closePackFile();
        setFailedPath(targetDirectory);
        return EXTRACT_INCOMPLETE;
    }
    if (root->count == 0) {
        closePackFile();
        return 0;
    }
    if (proc) {
        unsigned long size = static_cast<unsigned long>(packLength);
        proc(1, packPath, targetDirectory, &size, nullptr);
    }
    int top = -1;
    if (chdir(targetDirectory) != 0 || (top = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0) {
        closePackFile();
        setFailedPath(targetDirectory);
        return EXTRACT_INCOMPLETE;
    }

    // One open directory and its path per level of the walk.
    std::vector<int> directories{top};
    std::vector<String> paths{File::getCurrentDirectory().getFilename()};
    bool incomplete = false;
    auto leaveOut = [&](PackWalk& walk, char const* path) {
        walk.skipChildren();
        if (!incomplete) setFailedPath(path);
        incomplete = true;
    };

    PackWalk walk(root);
    while (PK_DIR* node = walk.next()) {
        while (static_cast<int>(directories.size()) > walk.depth() + 1) {
            ::close(directories.back());
            directories.pop_back();
            paths.pop_back();
        }
        String path = joinPath(paths.back(), node->name);
        if (!isSafeName(node->name)) {
            leaveOut(walk, path);
            continue;
        }
        unsigned char flag = 0;
        if (!seekSet(node->offset) || read(&flag, 1, 1) != 1) {
            leaveOut(walk, path);
            continue;
        }
        if (flag != 0) {
            if (!makeDirectory(directories.back(), node->name)) {
                leaveOut(walk, path);
                continue;
            }
            if (node->count > 0) {
                int fd = openDirectory(directories.back(), node->name);
                if (fd < 0) {
                    leaveOut(walk, path);
                    continue;
                }
                directories.push_back(fd);
                paths.push_back(path);
            }
            continue;
        }
        walk.skipChildren();  // a file has no children, whatever its count says
        if (!extractEntry(node, directories.back(), path, packPath)) leaveOut(walk, path);
    }
    for (int fd : directories) ::close(fd);
    closePackFile();
    return incomplete ? EXTRACT_INCOMPLETE : 0;
}

bool Archive::extractEntry(PK_DIR* node, int directory, char const* path, char const* packPath) {
    PK_FILE entry;
    if (!openFile(&entry, node)) return false;
    Buffer* content = inflateEntry(&entry, packPath, path);
    if (!content) return false;
    bool ok = appendTo(directory, node->name, content->data, content->size);
    delete content;
    return ok;
}
