// Restores the process's working directory when a test that changes it ends.
#pragma once

#include <unistd.h>

#include <string>

class WorkingDirectoryGuard {
public:
    WorkingDirectoryGuard() {
        char area[4096];
        if (getcwd(area, sizeof area)) saved = area;
    }
    ~WorkingDirectoryGuard() {
        if (!saved.empty() && chdir(saved.c_str()) != 0) {
            // Nothing sensible to do in a destructor; the next test starts where it is.
        }
    }
    WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
    WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

private:
    std::string saved;
};
