// The data set's table of names, the dispatch from a name to its maker, and file output.
#include "DataSet.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "Meshes.h"
#include "Pictures.h"
#include "Sound.h"

namespace datagen {

const char* const CHECK_TEXT = "This teaser is still being forged. Coming soon!";
const char* const FULLSCREEN_TEXT = "Press Alt+Enter to toggle full screen";
const int WINDOW_ICON_SIZE = 64;

const std::vector<Entry>& entries() {
    static const std::vector<Entry> list = {
        {"pixel.png", Kind::Picture, true},
        {"exit.png", Kind::Picture, false},
        {"galleryBackground.png", Kind::Picture, false},
        {"point.png", Kind::Picture, true},
        {"horizonFlare.png", Kind::Picture, true},
        {"check_text.png", Kind::Picture, true},
        {"fullscreen.png", Kind::Picture, true},
        {"stars.png", Kind::Picture, false},
        {"stars2.png", Kind::Picture, false},
        {"stars3.png", Kind::Picture, false},
        {"crystals.png", Kind::Picture, false},
        {"lava.png", Kind::Picture, false},
        {"water.png", Kind::Picture, false},
        {"green_lava.png", Kind::Picture, false},
        {"star.png", Kind::Picture, true},
        {"star2.png", Kind::Picture, true},
        {"glitter.png", Kind::Picture, true},
        {"clouds.png", Kind::Picture, true},
        {"nova.png", Kind::Picture, true},
        {"progressFragment.png", Kind::Picture, true},
        {"runesBackground1.png", Kind::Picture, false},
        {"runesBackground2.png", Kind::Picture, false},
        {"runesBackground3.png", Kind::Picture, false},
        {"successIcon.png", Kind::Picture, true},
        {"rune1.png", Kind::Picture, true},
        {"rune2.png", Kind::Picture, true},
        {"rune3.png", Kind::Picture, true},
        {"rune4.png", Kind::Picture, true},
        {"rune1mask.png", Kind::Picture, true},
        {"rune2mask.png", Kind::Picture, true},
        {"rune3mask.png", Kind::Picture, true},
        {"rune4mask.png", Kind::Picture, true},
        {"runeborderbg.png", Kind::Picture, true},
        {"runePoint.png", Kind::Picture, true},
        {"failIcon.png", Kind::Picture, true},
        // Icons come after everything they preview.
        {"icon1.png", Kind::Picture, true},
        {"icon2.png", Kind::Picture, true},
        {"icon3.png", Kind::Picture, true},
        {"icon4.png", Kind::Picture, true},
        {"icon5.png", Kind::Picture, true},
        {"icon6.png", Kind::Picture, true},
        {"icon7.png", Kind::Picture, true},
        {"icon8.png", Kind::Picture, true},
        // The window's icon: the menu icon at the size the programs give their window.
        {"windowIcon.png", Kind::Picture, true},
        {"lava_stone1.obj", Kind::Mesh, false},
        {"lava_stone2.obj", Kind::Mesh, false},
        {"nova.obj", Kind::Mesh, false},
        {"pau.wav", Kind::Sound, false},
        {"victory.wav", Kind::Sound, false},
        {"impulse.wav", Kind::Sound, false},
    };
    return list;
}

namespace {

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The digit in names like "icon3.png" or "rune2mask.png".
int numberIn(const std::string& name, size_t at) { return name[at] - '0'; }

Image makePicture(const std::string& name, Studio& studio) {
    if (name == "pixel.png") return makePixel();
    if (name == "exit.png") return makeExitScreen(studio.text);
    if (name == "galleryBackground.png") return makeGalleryBackground();
    if (name == "point.png") return makePoint();
    if (name == "horizonFlare.png") return makeHorizonFlare();
    if (name == "check_text.png") return makeTextBand(studio.text, CHECK_TEXT);
    if (name == "fullscreen.png") return makeTextBand(studio.text, FULLSCREEN_TEXT);
    if (name == "stars.png") return makeStarField(1);
    if (name == "stars2.png") return makeStarField(2);
    if (name == "stars3.png") return makeStarField(3);
    if (name == "crystals.png") return makeCrystals();
    if (name == "lava.png") return makeLava();
    if (name == "water.png") return makeWater();
    if (name == "green_lava.png") return makeGreenLava();
    if (name == "star.png") return makeStarSprite(true);
    if (name == "star2.png") return makeStarSprite(false);
    if (name == "glitter.png") return makeGlitter();
    if (name == "clouds.png") return makeClouds();
    if (name == "nova.png") return makeNovaSprite();
    if (name == "progressFragment.png") return makeProgressFragment();
    if (startsWith(name, "runesBackground")) return makeRunesBackground(numberIn(name, 15));
    if (name == "successIcon.png") return makeSuccessIcon();
    if (name == "failIcon.png") return makeFailIcon();
    if (name == "runeborderbg.png") return makeRuneBorder();
    if (name == "runePoint.png") return makeRunePoint();
    if (startsWith(name, "rune") && name.find("mask") != std::string::npos)
        return makeRuneMask(numberIn(name, 4) - 1);
    if (startsWith(name, "rune")) return makeRuneSymbol(numberIn(name, 4) - 1);
    if (name == "windowIcon.png") return makeAppIcon(WINDOW_ICON_SIZE, studio);
    if (startsWith(name, "icon")) return makeIcon(numberIn(name, 4), studio);
    return Image(1, 1);
}

TriMesh makeModel(const std::string& name) {
    if (name == "lava_stone1.obj") {
        // A blocky, chiselled chunk.
        return makeRock(RockStyle{0x5eed0001ULL, Vec3{1.0f, 0.88f, 0.94f}, 11, 0.3f, 0.07f});
    }
    if (name == "lava_stone2.obj") {
        // A longer, lumpier boulder with fewer, deeper cuts.
        return makeRock(RockStyle{0x5eed0002ULL, Vec3{1.2f, 0.86f, 0.9f}, 7, 0.34f, 0.13f});
    }
    return makeNova(0x0a0aULL);
}

bool writeFile(const std::string& path, const std::string& bytes, std::string& error) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) error = "cannot write " + path;
    return ok;
}

bool makeDirectory(const std::string& dir, std::string& error) {
    if (mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST) return true;
    error = "cannot create " + dir + ": " + std::strerror(errno);
    return false;
}

const char* describe(const std::string& name) {
    if (name == "lava_stone1.obj")
        return "lava stone 1: chiselled rock, radius 1, spherical texture coordinates";
    if (name == "lava_stone2.obj")
        return "lava stone 2: lumpy boulder, radius 1, spherical texture coordinates";
    return "nova burst: crossed planes and radiating blades";
}

}  // namespace

const Image& Studio::picture(const std::string& name) {
    {
        std::lock_guard<std::mutex> hold(lock);
        auto found = pictures.find(name);
        if (found != pictures.end()) return found->second;
    }
    Image made = makePicture(name, *this);
    std::lock_guard<std::mutex> hold(lock);
    return pictures.emplace(name, std::move(made)).first->second;
}

const TriMesh& Studio::mesh(const std::string& name) {
    {
        std::lock_guard<std::mutex> hold(lock);
        auto found = meshes.find(name);
        if (found != meshes.end()) return found->second;
    }
    TriMesh made = makeModel(name);
    std::lock_guard<std::mutex> hold(lock);
    return meshes.emplace(name, std::move(made)).first->second;
}

namespace {

// Pictures made from other pictures, or with the font renderer (which is not thread-safe),
// are made one after another once everything else exists.
bool standsAlone(const Entry& entry) {
    std::string name = entry.name;
    return name.rfind("icon", 0) != 0 && name != "windowIcon.png" && name != "exit.png" &&
           name != "check_text.png" && name != "fullscreen.png";
}

bool writeEntry(Studio& studio, const Entry& entry, const std::string& dir, std::string& error,
                bool verbose) {
    std::string path = dir + "/" + entry.name;
    auto started = std::chrono::steady_clock::now();
    switch (entry.kind) {
        case Kind::Picture:
            if (!savePng(studio.picture(entry.name), path, entry.alpha)) {
                error = "cannot write " + path + ": " + SDL_GetError();
                return false;
            }
            break;
        case Kind::Mesh:
            if (!writeFile(path, toObj(studio.mesh(entry.name), describe(entry.name)), error)) return false;
            break;
        case Kind::Sound: {
            std::string name = entry.name;
            std::string bytes = name == "pau.wav"       ? makePluck()
                                : name == "impulse.wav" ? makeImpulse()
                                                        : makeVictory();
            if (!writeFile(path, bytes, error)) return false;
            break;
        }
    }
    if (verbose) {
        auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
        std::printf("%-24s %5lld ms\n", entry.name, static_cast<long long>(took.count()));
    }
    return true;
}

}  // namespace

bool writeDataSet(Studio& studio, const std::string& dir, std::string& error,
                  const std::vector<std::string>& only, bool verbose) {
    if (!makeDirectory(dir, error)) return false;
    if (!studio.text.ready()) {
        error = "SDL_ttf cannot start: " + studio.text.lastError();
        return false;
    }
    // Every font the pictures use must open before anything is written.
    for (const char* font : {"DejaVuSans.ttf", "DejaVuSerif-Bold.ttf", "DejaVuSerif-Italic.ttf"}) {
        if (studio.text.render(font, 12, "Q").width == 0) {
            error = studio.text.lastError();
            return false;
        }
    }
    std::vector<const Entry*> parallel, serial;
    for (const Entry& entry : entries()) {
        if (!only.empty() && std::find(only.begin(), only.end(), entry.name) == only.end()) continue;
        (standsAlone(entry) ? parallel : serial).push_back(&entry);
    }

    // Independent files on every core: each depends only on its own seeds, so the bytes do
    // not depend on the order in which the workers happen to finish.
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorLock;
    auto work = [&]() {
        for (size_t i = next++; i < parallel.size() && !failed; i = next++) {
            std::string message;
            if (!writeEntry(studio, *parallel[i], dir, message, verbose)) {
                std::lock_guard<std::mutex> hold(errorLock);
                if (!failed.exchange(true)) error = message;
            }
        }
    };
    unsigned workers = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (unsigned w = 1; w < workers; ++w) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    if (failed) return false;

    for (const Entry* entry : serial) {
        if (!writeEntry(studio, *entry, dir, error, verbose)) return false;
    }
    if (!studio.text.lastError().empty()) {
        error = studio.text.lastError();
        return false;
    }
    return true;
}

bool writeContactSheet(Studio& studio, const std::string& path) {
    const int cell = 260;
    const int columns = 6;
    std::vector<std::string> names;
    for (const Entry& entry : entries()) {
        if (entry.kind == Kind::Picture) names.push_back(entry.name);
    }
    int rows = static_cast<int>((names.size() + columns - 1) / columns);
    Image sheet(columns * cell, rows * cell, rgb(0.2f, 0.2f, 0.2f));
    for (int y = 0; y < sheet.height; ++y) {
        for (int x = 0; x < sheet.width; ++x) {
            bool dark = ((x / 10) + (y / 10)) % 2 == 0;
            sheet.at(x, y) = dark ? rgb(0.16f, 0.17f, 0.2f) : rgb(0.3f, 0.31f, 0.34f);
        }
    }
    for (size_t i = 0; i < names.size(); ++i) {
        const Image& picture = studio.picture(names[i]);
        float k = std::min(250.0f / picture.width, 250.0f / picture.height);
        k = std::min(k, 4.0f);
        int w = std::max(1, static_cast<int>(picture.width * k));
        int h = std::max(1, static_cast<int>(picture.height * k));
        Image thumb(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                thumb.at(x, y) = picture.sample((x + 0.5f) / k, (y + 0.5f) / k, false, false);
        }
        int cx = static_cast<int>(i % columns) * cell + (cell - w) / 2;
        int cy = static_cast<int>(i / columns) * cell + (cell - h) / 2;
        sheet.draw(thumb, cx, cy);
    }
    return savePng(sheet, path, false);
}

}  // namespace datagen
