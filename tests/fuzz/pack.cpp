// Fuzz target: a pack file from outside. It is opened (with and without a password), every
// entry is looked up, opened and read whole and in chunks, and the pack is extracted; the
// extraction must create nothing beside its target directory.
#include <dirent.h>
#include <ftw.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Buffer.h"
#include "storage/Archive.h"
#include "storage/PackWalk.h"

namespace {

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

void removeTree(const std::string& path) { nftw(path.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS); }

void removeWorkspace();

std::string workspace() {
    static std::string path;
    if (path.empty()) {
        char pattern[] = "/tmp/quandrels-fuzz-pack-XXXXXX";
        if (!mkdtemp(pattern)) abort();
        path = pattern;
        atexit(removeWorkspace);
    }
    return path;
}

void removeWorkspace() { removeTree(workspace()); }

// Only the input and the extraction target may exist in the workspace.
void checkNothingEscaped(const std::string& space) {
    DIR* directory = opendir(space.c_str());
    if (!directory) abort();
    while (struct dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name != "." && name != ".." && name != "input.dat" && name != "out") {
            fprintf(stderr, "extraction escaped its target: %s\n", name.c_str());
            abort();
        }
    }
    closedir(directory);
}

void readEverything(Archive& archive) {
    PackWalk walk(archive.root);
    while (PK_DIR* node = walk.next()) {
        PK_FILE entry;
        if (archive.openFile(&entry, node)) {
            delete archive.readFile(&entry);
            char chunk[97];
            if (archive.selectFile(&entry)) {
                while (archive.readFile(chunk, sizeof chunk, &entry)) {
                }
            }
        }
        String path = walk.path();
        if (archive.openFile(&entry, path.c_str())) delete archive.readFile(&entry);
        archive.getDirectoryData(path.c_str(), nullptr);
    }
    for (int i = -1; i <= archive.getDirectoryCount(); ++i) {
        archive.getDirectoryName(i);
        archive.getDirectorySubCount(i);
        archive.getDirectoryData(i);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string space = workspace();
    std::string input = space + "/input.dat";
    FILE* file = fopen(input.c_str(), "wb");
    if (!file) abort();
    if (size > 0) fwrite(data, 1, size, file);
    fclose(file);

    for (const char* password : {static_cast<const char*>(nullptr), ""}) {
        Archive archive;
        if (archive.openPackFile(input.c_str(), password) == 0) readEverything(archive);
        archive.closePackFile();
    }

    Archive extractor;
    extractor.extractFile(input.c_str(), (space + "/out").c_str(), "");
    if (chdir(space.c_str()) != 0) abort();
    checkNothingEscaped(space);
    removeTree(space + "/out");
    return 0;
}
