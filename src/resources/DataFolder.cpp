#include "resources/DataFolder.h"

#include <sys/stat.h>

#include "core/Log.h"
#include "resources/Resources.h"

namespace DataFolder {

namespace {

// stat(), so that links to a pack or a data folder count as what they point to.
bool isKind(const File& file, mode_t kind) {
    struct stat info;
    return stat(file.getFilename(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

}  // namespace

bool holdsGameData(const File& folder) {
    if (folder.getFilename()[0] == '\0') return false;
    return isKind(folder.getSubfile(Resources::archive), S_IFREG) ||
           isKind(folder.getSubfile("data"), S_IFDIR);
}

bool enter(const List<String>& places) {
    File current = File::getCurrentDirectory();
    if (holdsGameData(current)) return true;
    for (const String& place : places) {
        if (holdsGameData(File(place))) {
            File::changeDirectory(place);
            log("Game data found in %s\n", static_cast<const char*>(place));
            return true;
        }
    }
    String searched(current.getFilename());
    for (const String& place : places) {
        searched += ", ";
        searched += place;
    }
    log("No game data (%s or data/) in: %s\n", Resources::archive, static_cast<const char*>(searched));
    return false;
}

}  // namespace DataFolder
