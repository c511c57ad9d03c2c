// A library preloaded into a real program under test (support/ProgramPlay.h) that puts its
// clock in the test's hands without changing the program: SDL_GetTicks, as the program calls
// it, reads 20 ms per frame shown, and each buffer swap (SDL2's SDL_GL_SwapWindow, SDL 1.2's
// SDL_GL_SwapBuffers) counts a frame in the shared page (support/FrameClockFile.h) and, once
// the frame the test allowed is shown, waits there until the test allows more.
//
// Only the program's own calls read the frame clock: SDL 1.2 calls SDL_GetTicks through the
// same symbol for its own timeouts, which must keep running while no frame is drawn.
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "support/FrameClockFile.h"

namespace {

FrameClockFile* page() {
    static FrameClockFile* shared = []() -> FrameClockFile* {
        const char* path = getenv(FrameClockFile::PATH_VARIABLE);
        if (!path) return nullptr;
        const int fd = open(path, O_RDWR);
        if (fd < 0) return nullptr;
        void* mapped = mmap(nullptr, sizeof(FrameClockFile), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        close(fd);
        return mapped == MAP_FAILED ? nullptr : static_cast<FrameClockFile*>(mapped);
    }();
    return shared;
}

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// The program's own code: the executable segments of the first object the loader lists.
struct CodeRange {
    uintptr_t from = 0, to = 0;
};
CodeRange programCode[4];

int findProgramCode(dl_phdr_info* info, size_t, void*) {
    int kept = 0;
    for (int i = 0; i < info->dlpi_phnum && kept < 4; i++) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || !(segment.p_flags & PF_X)) continue;
        programCode[kept].from = info->dlpi_addr + segment.p_vaddr;
        programCode[kept].to = programCode[kept].from + segment.p_memsz;
        kept++;
    }
    return 1;  // the program alone
}

bool calledByProgram(const void* returnAddress) {
    static const bool found = (dl_iterate_phdr(findProgramCode, nullptr), true);
    (void)found;
    const auto at = reinterpret_cast<uintptr_t>(returnAddress);
    for (const CodeRange& range : programCode) {
        if (at >= range.from && at < range.to) return true;
    }
    return false;
}

// A function of a library the program has loaded, however it loaded it (SDL opens libGL and
// libX11 itself, keeping their names out of the global scope).
void* loadedFunction(const char* library, const char* name) {
    void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    return handle ? dlsym(handle, name) : nullptr;
}

// The frame just swapped reaches the X server before the test is told it is shown: a
// screenshot taken then shows it.
void deliverToServer() {
    using CurrentDisplay = void* (*)();
    using Sync = int (*)(void*, int);
    const auto currentDisplay =
        reinterpret_cast<CurrentDisplay>(loadedFunction("libGL.so.1", "glXGetCurrentDisplay"));
    const auto sync = reinterpret_cast<Sync>(loadedFunction("libX11.so.6", "XSync"));
    if (!currentDisplay || !sync) return;
    if (void* display = currentDisplay()) sync(display, 0);
}

void frameShown() {
    FrameClockFile* clock = page();
    if (!clock) return;
    deliverToServer();
    const uint32_t shown = clock->shown.fetch_add(1) + 1;
    const timespec pause = {0, 1000000};
    while (shown >= clock->allowed.load()) nanosleep(&pause, nullptr);
}

}  // namespace

extern "C" {

uint32_t SDL_GetTicks(void) {
    using GetTicks = uint32_t (*)();
    static const auto real = next<GetTicks>("SDL_GetTicks");
    FrameClockFile* clock = page();
    if (clock && calledByProgram(__builtin_return_address(0)))
        return clock->shown.load() * FrameClockFile::FRAME_MS;
    return real ? real() : 0;
}

void SDL_GL_SwapWindow(void* window) {
    using Swap = void (*)(void*);
    static const auto real = next<Swap>("SDL_GL_SwapWindow");
    if (real) real(window);
    frameShown();
}

void SDL_GL_SwapBuffers(void) {
    using Swap = void (*)();
    static const auto real = next<Swap>("SDL_GL_SwapBuffers");
    if (real) real();
    frameShown();
}
}
