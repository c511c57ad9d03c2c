// Both programs as a user starts them: they open their 854 x 480 window, log the GL lines,
// and end with status 0 when the window is closed or the process is asked to terminate.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/XScreen.h"
#include "support/TempDir.h"

namespace {

enum class Ending { CLOSE_WINDOW, SIGTERM_SIGNAL, SIGINT_SIGNAL };

struct Outcome {
    bool exited = false;
    int status = -1;
    std::string output;
};

pid_t launch(const std::string& program, const TempDir& folder, const std::string& outputFile) {
    pid_t pid = fork();
    if (pid == 0) {
        int fd = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || chdir(folder.path().c_str()) != 0) _exit(126);
        dup2(fd, 1);
        dup2(fd, 2);
        close(fd);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Polls for up to `seconds`; true once `done` holds.
template <typename Done>
bool waitFor(Done done, int seconds) {
    for (int i = 0; i < seconds * 50; i++) {
        if (done()) return true;
        SDL_Delay(20);
    }
    return false;
}

Outcome runAndEnd(const std::string& program, Ending ending) {
    TempDir folder;
    std::string outputFile = folder / "output.txt";
    pid_t pid = launch(program, folder, outputFile);
    Outcome outcome;
    if (pid < 0) return outcome;

    // Standard output into a file is block-buffered (the fixed build logs there), so the
    // window itself, not the log, shows that the program is up.
    unsigned long window = 0;
    bool up = waitFor(
        [&] {
            window = windowOfProcess(pid);
            return window != 0;
        },
        30);
    int status = 0;
    bool ended = false;
    if (up) {
        SDL_Delay(200);  // let the frame loop run a few frames
        if (ending == Ending::SIGTERM_SIGNAL) kill(pid, SIGTERM);
        if (ending == Ending::SIGINT_SIGNAL) kill(pid, SIGINT);
        for (int attempt = 0; attempt < 10 && !ended; attempt++) {
            // SDL may replace a window while it sets up GL: ask whichever is shown now.
            if (ending == Ending::CLOSE_WINDOW) {
                window = windowOfProcess(pid);
                if (window) requestClose(window);
            }
            ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 2);
        }
    }
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    outcome.exited = up && ended && WIFEXITED(status);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.output = folder.readFile("output.txt");
    return outcome;
}

TEST(ProgramTest, BothProgramsOpenTheirWindowAndEndCleanly) {
    struct Case {
        const char* program;
        Ending ending;
        const char* label;
    };
    const std::vector<Case> cases = {
        {"quandrels", Ending::CLOSE_WINDOW, "shader build, window closed"},
        {"quandrels", Ending::SIGTERM_SIGNAL, "shader build, SIGTERM"},
        {"quandrels-fixed", Ending::CLOSE_WINDOW, "fixed build, window closed"},
        {"quandrels-fixed", Ending::SIGINT_SIGNAL, "fixed build, SIGINT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Outcome o = runAndEnd(std::string(QUANDRELS_BINARY_DIR) + "/" + c.program, c.ending);
        EXPECT_TRUE(o.exited) << o.output;
        EXPECT_EQ(o.status, 0) << o.output;
        for (const char* line : {"Width = 854, Height = 480.", "GL Version: ", "GL Vendor: ", "GL Renderer: ",
                                 "GL Extensions: ", "GLSL Version: ", "Quit send"}) {
            EXPECT_NE(o.output.find(line), std::string::npos) << "missing: " << line << "\n" << o.output;
        }
        if (std::string(c.program) == "quandrels") {
            EXPECT_NE(o.output.find("Is supported GL2: y"), std::string::npos) << o.output;
        }
    }
}

}  // namespace
