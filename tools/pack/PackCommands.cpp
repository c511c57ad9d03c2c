#include "PackCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "ProgressBar.h"
#include "core/Buffer.h"
#include "storage/Archive.h"
#include "storage/PackWalk.h"

namespace {

const char* const TOOL = "quandrels-pack";

int fail(const std::string& subject, const std::string& what) {
    fprintf(stderr, "%s: %s: %s\n", TOOL, subject.c_str(), what.c_str());
    return 1;
}

// Entry names come from the pack: keep each on one line and control bytes off the terminal.
std::string shown(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The commands hand these paths to Archive, which changes the working directory.
std::string absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    std::vector<char> area(4096);
    while (!getcwd(area.data(), area.size())) {
        if (errno != ERANGE) return path;
        area.resize(area.size() * 2);
    }
    std::string joined = area.data();
    if (joined != "/") joined += '/';
    return joined + path;
}

std::string realPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    std::string result = resolved ? resolved : path;
    free(resolved);
    return result;
}

int openForReading(Archive& archive, const std::string& pack, const char* password) {
    struct stat info;
    if (stat(pack.c_str(), &info) != 0) return fail(pack, strerror(errno));
    if (S_ISDIR(info.st_mode)) return fail(pack, "is a directory, not a pack file");
    if (access(pack.c_str(), R_OK) != 0) return fail(pack, strerror(errno));
    switch (archive.openPackFile(absolute(pack).c_str(), password)) {
        case 0:
            return 0;
        case 2:
            return fail(pack, "the pack is protected by a password; give it with --password");
        default:
            return fail(pack, "not a pack file, or damaged (its directory does not hold together)");
    }
}

// --- pack ---------------------------------------------------------------------------------

struct PackProgress {
    ProgressBar bar{"packing"};
    bool targetExists = false;
    struct stat target {};
    unsigned long long done = 0;
    unsigned long long currentSize = 0;
    unsigned long long currentWritten = 0;
};

PackProgress* packProgress = nullptr;

unsigned char packProc(unsigned char code, char const* first, char const*, unsigned long* value, void**) {
    PackProgress& p = *packProgress;
    switch (code) {
        case 0:
            p.bar.setTotal(*value);
            p.bar.show(0);
            break;
        case 4: {
            p.done += p.currentSize;
            p.currentSize = p.currentWritten = 0;
            struct stat info;
            if (stat(first, &info) == 0) {
                // An earlier pack of the same name inside the source is not packed into the new one.
                if (p.targetExists && info.st_dev == p.target.st_dev && info.st_ino == p.target.st_ino)
                    return 0;
                p.currentSize = static_cast<unsigned long long>(info.st_size);
            }
            p.bar.show(p.done);
            return 2;
        }
        case 2:
            p.currentWritten += *value;
            p.bar.show(p.done + (p.currentWritten < p.currentSize ? p.currentWritten : p.currentSize));
            break;
        default:
            break;
    }
    return 0;
}

// The temporary pack is removed if the tool is interrupted.
char interruptedTemp[8192];

void removeTempAndDie(int signal) {
    if (interruptedTemp[0]) unlink(interruptedTemp);
    ::signal(signal, SIG_DFL);
    raise(signal);
}

void guardTemp(const std::string& path) {
    if (path.size() >= sizeof interruptedTemp) return;
    memcpy(interruptedTemp, path.c_str(), path.size() + 1);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) signal(s, removeTempAndDie);
}

void releaseTemp() {
    for (int s : {SIGINT, SIGTERM, SIGHUP}) signal(s, SIG_DFL);
    interruptedTemp[0] = 0;
}

// Turns a path below the resolved source back into one below the source as the user wrote it.
std::string userPath(const char* failed, const std::string& resolvedSource, const std::string& source) {
    if (!failed) return source;
    std::string path = failed;
    if (path.compare(0, resolvedSource.size(), resolvedSource) == 0 &&
        (path.size() == resolvedSource.size() || path[resolvedSource.size()] == '/')) {
        return source + path.substr(resolvedSource.size());
    }
    return path;
}

}  // namespace

int packCommand(const std::string& source, const std::string& pack, const char* password) {
    struct stat info;
    if (stat(source.c_str(), &info) != 0) return fail(source, strerror(errno));
    if (!S_ISDIR(info.st_mode)) return fail(source, "not a directory");

    std::string target = absolute(pack);
    size_t slash = target.rfind('/');
    std::string folder = slash == 0 ? "/" : target.substr(0, slash);
    std::string base = target.substr(slash + 1);
    if (base.empty() || base == "." || base == "..") return fail(pack, "not a file name");

    PackProgress progress;
    if (stat(target.c_str(), &progress.target) == 0) {
        if (S_ISDIR(progress.target.st_mode)) return fail(pack, "is a directory");
        progress.targetExists = true;
    }

    std::string temp = folder + "/." + base + ".tmp-XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0) return fail(pack, std::string("cannot create a file beside it: ") + strerror(errno));
    guardTemp(temp);
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);

    std::string resolvedSource = realPath(source);
    Archive archive;
    packProgress = &progress;
    archive.setProc(packProc);
    int result = archive.packFile(absolute(source).c_str(), temp.c_str(), password);
    packProgress = nullptr;

    if (result == Archive::PACK_OK && rename(temp.c_str(), target.c_str()) != 0) {
        int error = errno;
        progress.bar.abandon();
        unlink(temp.c_str());
        releaseTemp();
        return fail(pack, std::string("cannot put the pack in place: ") + strerror(error));
    }
    if (result == Archive::PACK_OK) {
        releaseTemp();
        progress.bar.finish();
        return 0;
    }
    progress.bar.abandon();
    unlink(temp.c_str());
    releaseTemp();
    std::string failed = userPath(archive.getFailedPath(), resolvedSource, source);
    switch (result) {
        case Archive::PACK_NO_SOURCE:
            return fail(source, "cannot enter the directory");
        case Archive::PACK_CANNOT_CREATE:
            return fail(pack, "cannot create the pack file");
        case Archive::PACK_READ_FAILED:
            return fail(failed, "cannot be read");
        case Archive::PACK_BAD_NAME:
            return fail(failed, "its name holds the byte FF, which a pack cannot store");
        default:
            return fail(
                pack,
                "writing failed (the disk may be full, or the pack would pass 2 GiB); nothing was written");
    }
}

// --- extract ------------------------------------------------------------------------------

namespace {

struct ExtractProgress {
    ProgressBar bar{"extracting"};
    unsigned long long done = 0;
};

ExtractProgress* extractProgress = nullptr;

unsigned char extractProc(unsigned char code, char const*, char const*, unsigned long* value, void**) {
    ExtractProgress& p = *extractProgress;
    if (code == 1) {
        p.bar.setTotal(*value);
        p.bar.show(0);
    } else if (code == 3) {
        p.done += *value;
        p.bar.show(p.done);
    }
    return 0;
}

}  // namespace

int extractCommand(const std::string& pack, const std::string& target, const char* password, bool overwrite) {
    std::string targetPath = absolute(target);
    struct stat info;
    // The target itself may be a link to a directory: the user named it.
    if (stat(targetPath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
        return fail(target, "exists and is not a directory");

    // Look at every entry before anything is written.
    std::vector<std::string> replaced;
    {
        Archive archive;
        if (openForReading(archive, pack, password) != 0) return 1;
        std::set<std::string> seen;
        PackWalk walk(archive.root);
        while (PK_DIR* node = walk.next()) {
            std::string relative = walk.path().c_str();
            std::string entry = "entry '" + shown(relative) + "' ";
            if (!Archive::isSafeName(node->name)) {
                return fail(pack, entry +
                                      "has an unsafe name (empty, '.', '..', or holding '/' or '\\'); "
                                      "nothing was extracted");
            }
            if (!seen.insert(relative).second)
                return fail(pack, entry + "appears twice; nothing was extracted");
            PK_FILE record;
            bool isFile = archive.openFile(&record, node);
            if (!isFile && record.flag == 0) return fail(pack, entry + "is damaged; nothing was extracted");
            std::string out = targetPath + "/" + relative;
            std::string outShown = target + "/" + shown(relative);
            bool there = lstat(out.c_str(), &info) == 0;
            if (!isFile) {
                if (there && !S_ISDIR(info.st_mode)) {
                    return fail(outShown,
                                "is in the way of a directory of the pack (it is not a directory); nothing "
                                "was extracted");
                }
                continue;
            }
            walk.skipChildren();
            if (!there) continue;
            if (S_ISDIR(info.st_mode))
                return fail(outShown, "is a directory, the pack holds a file there; nothing was extracted");
            if (!overwrite)
                return fail(outShown,
                            "already exists; give --overwrite to replace it; nothing was extracted");
            replaced.push_back(out);
        }
    }
    // Replacing means removing first: unlink takes a symbolic link away rather than following it.
    for (const std::string& path : replaced) {
        if (unlink(path.c_str()) != 0 && errno != ENOENT)
            return fail(path, std::string("cannot be replaced: ") + strerror(errno));
    }

    ExtractProgress progress;
    extractProgress = &progress;
    Archive archive;
    archive.setProc(extractProc);
    int result = archive.extractFile(absolute(pack).c_str(), targetPath.c_str(), password);
    extractProgress = nullptr;
    if (result == 0) {
        progress.bar.finish();
        return 0;
    }
    progress.bar.abandon();
    if (result == 2) return fail(pack, "the pack is protected by a password; give it with --password");
    if (result == 1) return fail(pack, "cannot be opened any more");
    const char* failed = archive.getFailedPath();
    if (!failed || targetPath == failed) return fail(target, "cannot create or enter the directory");
    std::string path = failed;
    if (path.compare(0, targetPath.size() + 1, targetPath + "/") == 0)
        path = target + path.substr(targetPath.size());
    return fail(shown(path), "could not be extracted (damaged content, or it could not be written)");
}

// --- list and verify ----------------------------------------------------------------------

int listCommand(const std::string& pack, const char* password) {
    Archive archive;
    if (openForReading(archive, pack, password) != 0) return 1;
    PackWalk walk(archive.root);
    while (PK_DIR* node = walk.next()) {
        std::string path = shown(walk.path().c_str());
        PK_FILE record;
        if (archive.openFile(&record, node)) {
            printf("%12ld  %s\n", record.size, path.c_str());
            walk.skipChildren();
        } else if (record.flag == 0) {
            printf("%12s  %s\n", "damaged", path.c_str());
            walk.skipChildren();
        } else {
            printf("%12s  %s/\n", "-", path.c_str());
        }
    }
    if (fflush(stdout) != 0) return fail("standard output", strerror(errno));
    return 0;
}

int verifyCommand(const std::string& pack, const char* password) {
    Archive archive;
    if (openForReading(archive, pack, password) != 0) return 1;
    int files = 0;
    int directories = 0;
    int bad = 0;
    PackWalk walk(archive.root);
    while (PK_DIR* node = walk.next()) {
        std::string path = shown(walk.path().c_str());
        PK_FILE record;
        const char* problem = nullptr;
        char flagProblem[64];
        if (archive.openFile(&record, node)) {
            ++files;
            std::unique_ptr<Buffer> content(archive.readFile(&record));
            if (!content) problem = "the content does not inflate";
            walk.skipChildren();
        } else if (record.flag == 0) {
            ++files;
            problem = "the record is damaged (its size reaches past the records)";
            walk.skipChildren();
        } else if (record.flag != 1) {
            snprintf(flagProblem, sizeof flagProblem, "the record has the unknown flag %d", record.flag);
            problem = flagProblem;
        } else {
            ++directories;
        }
        if (problem) {
            ++bad;
            printf("%s: entry '%s': %s\n", pack.c_str(), path.c_str(), problem);
        }
    }
    fflush(stdout);
    if (bad > 0) {
        return fail(pack, std::to_string(bad) + (bad == 1 ? " entry is" : " entries are") + " damaged");
    }
    printf("%s: %d files and %d directories, all readable\n", pack.c_str(), files, directories);
    return 0;
}
