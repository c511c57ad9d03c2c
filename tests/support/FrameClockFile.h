// The page that a real program under test shares with the test through a file, when it runs
// with the frame clock preloaded (support/preload/FrameClockPreload.cpp): how many frames the
// program has shown, and up to which frame it may run. The program's clock (SDL_GetTicks)
// reads FRAME_MS per frame shown, so its animations advance by frames, never by the load of
// the machine; after showing the allowed frame it waits in the buffer swap, with the frame on
// the screen, until the test allows more.
#pragma once

#include <atomic>
#include <cstdint>

struct FrameClockFile {
    static constexpr uint32_t FRAME_MS = 20;
    // The environment variable that names the file for the preloaded library.
    static constexpr const char* PATH_VARIABLE = "QUANDRELS_FRAME_CLOCK";

    std::atomic<uint32_t> shown;    // buffer swaps made so far
    std::atomic<uint32_t> allowed;  // the program waits after the swap that makes `shown` reach it
};

static_assert(std::atomic<uint32_t>::is_always_lock_free, "the page is shared between processes");
