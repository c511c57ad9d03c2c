#include "play/OverlayPicture.h"

#include <map>

const Screenshot& dataPicture(const std::string& name) {
    static std::map<std::string, Screenshot> read;
    auto found = read.find(name);
    if (found == read.end())
        found = read.emplace(name, readPicture(std::string(QUANDRELS_BINARY_DIR) + "/data/" + name)).first;
    return found->second;
}
