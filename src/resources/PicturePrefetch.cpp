#include "resources/PicturePrefetch.h"

#include <SDL.h>
#include <SDL_image.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "core/Buffer.h"
#include "render/Texture.h"
#include "resources/Resources.h"

namespace {

// A picture waits, is being decoded, is ready (or failed), or was taken by the main thread
// before the worker came to it.
enum class State { WAITING, DECODING, DONE, TAKEN };

struct Slot {
    const char* name;
    SDL_Surface* picture = nullptr;
    State state = State::WAITING;
};

constexpr int WORKER_NICENESS = 5;

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
    // Below the main thread and the X server, which make the window meanwhile: on a busy
    // machine the worker takes only what they leave.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), WORKER_NICENESS);
    for (size_t i = 0;; i++) {
        const char* name;
        {
            std::lock_guard<std::mutex> hold(lock);
            if (i >= slots.size()) return;
            if (slots[i].state != State::WAITING) continue;
            slots[i].state = State::DECODING;
            name = slots[i].name;
        }
        Resources::Missing missing = Resources::Missing::NOTHING;
        Buffer* bytes = Resources::read(name, &missing);
        SDL_Surface* picture = Texture::decode(bytes);
        delete bytes;
        {
            std::lock_guard<std::mutex> hold(lock);
            slots[i].picture = picture;
            slots[i].state = State::DONE;
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
    if (!slot || slot->state == State::TAKEN) return nullptr;
    // Not begun yet: the caller decodes it at once rather than wait for the worker.
    if (slot->state == State::WAITING) {
        slot->state = State::TAKEN;
        return nullptr;
    }
    ready.wait(hold, [slot] { return slot->state == State::DONE; });
    SDL_Surface* picture = slot->picture;
    slot->picture = nullptr;
    slot->state = State::TAKEN;
    return picture;
}

void PicturePrefetch::finish() {
    if (worker.joinable()) worker.join();
}

void PicturePrefetch::stop() {
    finish();
    for (Slot& slot : slots) {
        if (slot.picture) SDL_FreeSurface(slot.picture);
    }
    slots.clear();
}
