#include "resources/PicturePrefetch.h"

#include <SDL.h>
#include <SDL_image.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "core/Buffer.h"
#include "render/Texture.h"
#include "resources/Resources.h"

namespace {

struct Slot {
    const char* name;
    SDL_Surface* picture = nullptr;
    bool done = false;
};

std::mutex lock;
std::condition_variable ready;
// Fixed in size once the worker runs, so that slots stay where they are.
std::vector<Slot> slots;
std::thread worker;

Slot* slotOf(const char* name) {
    for (Slot& slot : slots) {
        if (strcmp(slot.name, name) == 0) return &slot;
    }
    return nullptr;
}

void decodeEverySlot() {
    for (size_t i = 0;; i++) {
        const char* name;
        {
            std::lock_guard<std::mutex> hold(lock);
            if (i >= slots.size()) return;
            name = slots[i].name;
        }
        Resources::Missing missing = Resources::Missing::NOTHING;
        Buffer* bytes = Resources::read(name, &missing);
        SDL_Surface* picture = Texture::decode(bytes);
        delete bytes;
        {
            std::lock_guard<std::mutex> hold(lock);
            slots[i].picture = picture;
            slots[i].done = true;
        }
        ready.notify_all();
    }
}

}  // namespace

void PicturePrefetch::start(const List<const char*>& names) {
    if (worker.joinable()) return;
    slots.clear();
    for (const char* name : names) {
        if (!slotOf(name)) slots.push_back(Slot{name});
    }
    if (slots.empty()) return;
    // The decoder sets itself up at its first use: here, before two threads can use it.
    IMG_Init(IMG_INIT_PNG);
    worker = std::thread(decodeEverySlot);
}

SDL_Surface* PicturePrefetch::take(const char* name) {
    std::unique_lock<std::mutex> hold(lock);
    Slot* slot = slotOf(name);
    if (!slot) return nullptr;
    ready.wait(hold, [slot] { return slot->done; });
    SDL_Surface* picture = slot->picture;
    slot->picture = nullptr;
    return picture;
}

void PicturePrefetch::stop() {
    if (worker.joinable()) worker.join();
    for (Slot& slot : slots) {
        if (slot.picture) SDL_FreeSurface(slot.picture);
    }
    slots.clear();
}
