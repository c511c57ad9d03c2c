#include "support/FrameClock.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <limits>
#include <new>

namespace {

std::string pagePath(const TempDir& folder) { return folder / "frame-clock"; }

}  // namespace

FrameClock::FrameClock() {
    const int fd = open(pagePath(folder).c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) return;
    void* mapped = MAP_FAILED;
    if (ftruncate(fd, sizeof(FrameClockFile)) == 0) {
        mapped = mmap(nullptr, sizeof(FrameClockFile), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    close(fd);
    if (mapped == MAP_FAILED) return;
    page = new (mapped) FrameClockFile;
    page->shown.store(0);
    page->allowed.store(1);
}

FrameClock::~FrameClock() {
    if (page) munmap(page, sizeof(FrameClockFile));
}

std::vector<std::string> FrameClock::environment() const {
    return {std::string("LD_PRELOAD=") + QUANDRELS_FRAME_CLOCK_LIBRARY,
            std::string(FrameClockFile::PATH_VARIABLE) + "=" + pagePath(folder)};
}

int FrameClock::shown() const { return page ? static_cast<int>(page->shown.load()) : 0; }

void FrameClock::allow(int frame) {
    if (page) page->allowed.store(static_cast<uint32_t>(frame));
}

void FrameClock::release() {
    if (page) page->allowed.store(std::numeric_limits<uint32_t>::max());
}
