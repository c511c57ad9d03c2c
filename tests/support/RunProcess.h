// Runs a program as a child process in a given directory and collects what it printed.
#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// argv[0] is the program's path. Standard input is /dev/null.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDirectory = ".");
