// quandrels-datagen: writes the game's pictures, meshes and sounds into a folder.
//   quandrels-datagen [--fonts DIR] [--sheet FILE.png] [--only NAME]... [--verbose] OUTPUT_DIR
//   quandrels-datagen [--fonts DIR] --app-icon SIZE FILE.png...
// --only writes just the named files (for working on one picture); --sheet adds a contact
// sheet of every picture, which is not part of the data set; --verbose prints each file's time.
// --app-icon writes the program's desktop icon, SIZE pixels square, which is not part of the
// data set either; OUTPUT_DIR may then be left out.
// The output depends only on this program and the fonts: every run writes the same bytes.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "DataSet.h"
#include "Pictures.h"
#include "Text.h"

#ifndef QUANDRELS_DATAGEN_FONT_DIR
#define QUANDRELS_DATAGEN_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace {

void usage() {
    std::fprintf(
        stderr,
        "usage: quandrels-datagen [--fonts DIR] [--sheet FILE.png] [--only NAME]... [--verbose] OUTPUT_DIR\n"
        "       quandrels-datagen [--fonts DIR] --app-icon SIZE FILE.png...\n");
}

const int LARGEST_APP_ICON = 1024;

// A whole number of pixels from 1 to LARGEST_APP_ICON, or 0.
int iconSize(const char* text) {
    char* end = nullptr;
    long size = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || size < 1 || size > LARGEST_APP_ICON) return 0;
    return static_cast<int>(size);
}

bool writeAppIcons(datagen::Studio& studio, const std::vector<std::pair<int, std::string>>& icons) {
    for (const auto& icon : icons) {
        if (!datagen::savePng(datagen::makeAppIcon(icon.first, studio), icon.second, true)) {
            std::fprintf(stderr, "quandrels-datagen: cannot write %s: %s\n", icon.second.c_str(),
                         SDL_GetError());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string fonts = QUANDRELS_DATAGEN_FONT_DIR;
    std::string sheet;
    std::string output;
    std::vector<std::string> only;
    std::vector<std::pair<int, std::string>> appIcons;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
            fonts = argv[++i];
        } else if (std::strcmp(argv[i], "--sheet") == 0 && i + 1 < argc) {
            sheet = argv[++i];
        } else if (std::strcmp(argv[i], "--verbose") == 0) {
            verbose = true;
        } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only.push_back(argv[++i]);
        } else if (std::strcmp(argv[i], "--app-icon") == 0 && i + 2 < argc && iconSize(argv[i + 1]) > 0) {
            appIcons.emplace_back(iconSize(argv[i + 1]), argv[i + 2]);
            i += 2;
        } else if (argv[i][0] == '-' || !output.empty()) {
            usage();
            return 2;
        } else {
            output = argv[i];
        }
    }
    if (output.empty() && (appIcons.empty() || !sheet.empty() || !only.empty())) {
        usage();
        return 2;
    }

    IMG_Init(IMG_INIT_PNG);
    int status = 0;
    {
        datagen::TextRenderer text(fonts);
        datagen::Studio studio(text);
        std::string error;
        if (!appIcons.empty() && !writeAppIcons(studio, appIcons)) {
            status = 1;
        } else if (!output.empty() && !datagen::writeDataSet(studio, output, error, only, verbose)) {
            std::fprintf(stderr, "quandrels-datagen: %s\n", error.c_str());
            status = 1;
        } else if (!sheet.empty() && !datagen::writeContactSheet(studio, sheet)) {
            std::fprintf(stderr, "quandrels-datagen: cannot write %s\n", sheet.c_str());
            status = 1;
        }
    }
    IMG_Quit();
    SDL_Quit();
    return status;
}
