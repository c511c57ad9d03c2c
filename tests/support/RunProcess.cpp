#include "support/RunProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDirectory) {
    ProcessResult result;
    char outPath[] = "/tmp/quandrels-run-out-XXXXXX";
    char errPath[] = "/tmp/quandrels-run-err-XXXXXX";
    int out = mkstemp(outPath);
    int err = mkstemp(errPath);
    if (out < 0 || err < 0) return result;

    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    fflush(stdout);
    fflush(stderr);
    pid_t child = fork();
    if (child == 0) {
        int in = open("/dev/null", O_RDONLY);
        if (in < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
            chdir(workingDirectory.c_str()) != 0)
            _exit(126);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out);
    close(err);
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    unlink(outPath);
    unlink(errPath);
    return result;
}
