// File: a path in the local file system, with whole-file reads, appending writes,
// directory listing and path composition. Nothing here throws: failures come back as
// false, -1, null or an empty path.
#pragma once

#include "core/List.h"
#include "core/String.h"

class Buffer;

class File {
public:
    // Used wherever paths are split or joined.
    static const char* const FILE_SEPARATOR;

    // The empty path (lets File live in a List, whose out-of-range get returns a default).
    File();
    File(const char* path);  // NOLINT: implicit, paths are written as texts everywhere
    File(const File& other) = default;
    File(File&& other) noexcept = default;
    File& operator=(const File& other) = default;
    File& operator=(File&& other) noexcept = default;
    ~File() = default;

    // True when stat() succeeds (symbolic links are followed).
    bool isExists() const;
    // lstat(): a symbolic link is not a directory. Prints "lstat() Failed." when lstat fails.
    bool isDirectory() const;
    // The path up to the last separator; a path without one has an empty parent.
    File getParent() const;
    // path + "/" + name, without looking at how the path ends.
    File getSubfile(const char* name) const;
    // The whole path as stored (not only its last component).
    const char* getFilename() const;
    // Size in bytes, -1 when stat() fails; files past 2 GiB report INT32_MAX.
    int size() const;

    // The whole file in a new Buffer owned by the caller, cursor at 0; null when the path
    // is missing, cannot be opened, is not readable as a file (a directory), fails while
    // being read, or is too large for a Buffer.
    Buffer* read() const;
    // Creates the file or truncates it to empty; false when it cannot be opened.
    bool create() const;
    // mkdir with mode 0777 (the umask applies); false when it fails, also when it exists.
    bool createDirectory() const;

    // Appending writes: each call opens the file in append mode (creating it when needed),
    // writes, and closes it again. Nothing happens when it cannot be opened.
    void write(const void* bytes, int count) const;
    void write(const String& text) const;
    void write(const Buffer& buffer) const;
    void write(const Buffer* buffer) const;  // null writes nothing

    // Replaces `entries` with every name the directory holds, . and .. included, in the
    // order the system delivers them. When the directory cannot be opened, prints
    // "Error opening directory %s", leaves `entries` untouched and returns false.
    bool list(List<String>& entries) const;

    // The folder that holds the running program (from /proc/self/exe); an empty path when
    // the system cannot say.
    static File getApplicationDirectory();
    // Makes the program's own folder the working directory; nothing happens when it is not
    // known. (Finding the game's data is DataFolder's job: resources/DataFolder.h.)
    static void changeDirectoryToApplication();
    // The process's working directory, however long; an empty path when the system cannot
    // name it (removed, or an ancestor cannot be read).
    static File getCurrentDirectory();
    // chdir(); a failure is ignored.
    static void changeDirectory(const char* path);

private:
    String path;
};
