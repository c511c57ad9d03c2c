// quandrels-datagen: writes the game's pictures, meshes and sounds into a folder.
//   quandrels-datagen [--fonts DIR] [--sheet FILE.png] [--only NAME]... [--verbose] OUTPUT_DIR
// --only writes just the named files (for working on one picture); --sheet adds a contact
// sheet of every picture, which is not part of the data set; --verbose prints each file's time.
// The output depends only on this program and the fonts: every run writes the same bytes.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "DataSet.h"
#include "Text.h"

#ifndef QUANDRELS_DATAGEN_FONT_DIR
#define QUANDRELS_DATAGEN_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: quandrels-datagen [--fonts DIR] [--sheet FILE.png] [--only NAME]... [--verbose] "
                 "OUTPUT_DIR\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string fonts = QUANDRELS_DATAGEN_FONT_DIR;
    std::string sheet;
    std::string output;
    std::vector<std::string> only;
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
        } else if (argv[i][0] == '-' || !output.empty()) {
            usage();
            return 2;
        } else {
            output = argv[i];
        }
    }
    if (output.empty()) {
        usage();
        return 2;
    }

    IMG_Init(IMG_INIT_PNG);
    int status = 0;
    {
        datagen::TextRenderer text(fonts);
        datagen::Studio studio(text);
        std::string error;
        if (!datagen::writeDataSet(studio, output, error, only, verbose)) {
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
