#include "support/LiveOutput.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

void flush(int stream) { fflush(stream == 2 ? stderr : stdout); }

}  // namespace

LiveOutput::LiveOutput(int stream) : stream(stream) {
    char path[] = "/tmp/quandrels-output-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return;
    file = path;
    flush(stream);
    saved = dup(stream);
    dup2(fd, stream);
    close(fd);
}

LiveOutput::~LiveOutput() {
    if (saved < 0) return;
    flush(stream);
    dup2(saved, stream);
    close(saved);
    unlink(file.c_str());
}

std::string LiveOutput::text() const {
    if (file.empty()) return "";
    flush(stream);
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
