// Both programs as a user starts them: they open their 854 x 480 window, log the GL lines,
// and end with status 0 when the window is closed or the process is asked to terminate.
#include <SDL.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "support/AlteredPack.h"
#include "support/RunProcess.h"
#include "support/TempDir.h"
#include "support/XScreen.h"

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

// Runs `program` in `folder` until its window is up, lets it draw for a moment, hands the
// process to `whileUp` (when given), then ends it as `ending` says.
Outcome runAndEnd(const std::string& program, Ending ending, const TempDir& folder,
                  const std::function<void(pid_t pid)>& whileUp = nullptr) {
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
        if (whileUp) whileUp(pid);
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

std::string program(const char* name) { return std::string(QUANDRELS_BINARY_DIR) + "/" + name; }

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A folder the programs start in: the game's pack, as the build made it.
void putGamePack(const TempDir& folder) {
    folder.writeFile("Quandrels.dat", fileBytes(std::string(QUANDRELS_BINARY_DIR) + "/Quandrels.dat"));
}

// Starts `path` in `folder` and waits up to `seconds` for it to end by itself.
Outcome runUntilItEnds(const std::string& path, const TempDir& folder, int seconds) {
    std::string outputFile = folder / "output.txt";
    pid_t pid = launch(path, folder, outputFile);
    Outcome outcome;
    if (pid < 0) return outcome;
    int status = 0;
    bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    outcome.exited = ended && WIFEXITED(status);
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
        TempDir folder;
        putGamePack(folder);
        Outcome o = runAndEnd(program(c.program), c.ending, folder);
        EXPECT_TRUE(o.exited) << o.output;
        EXPECT_EQ(o.status, 0) << o.output;
        for (const char* line : {"Width = 854, Height = 480.", "GL Version: ", "GL Vendor: ", "GL Renderer: ",
                                 "GL Extensions: ", "GLSL Version: ", "Quit send"}) {
            EXPECT_NE(o.output.find(line), std::string::npos) << "missing: " << line << "\n" << o.output;
        }
        if (std::string(c.program) == "quandrels") {
            EXPECT_NE(o.output.find("Is supported GL2: y"), std::string::npos) << o.output;
        }
        // Everything the screen needed loaded from the pack.
        for (const char* failure :
             {"Cannot open file", "Can't load", "Couldn't load image", "cannot be open"}) {
            EXPECT_EQ(o.output.find(failure), std::string::npos) << o.output;
        }
    }
}

// A pack made from the build's data folder with one picture taken out or replaced.
void putAlteredPack(const TempDir& folder, const std::string& name, const std::string* replacement) {
    const std::string problem = packAlteredData(folder, name, replacement);
    ASSERT_EQ(problem, "");
}

TEST(ProgramTest, MissingOrBrokenDataEndsTheProgramWithItsMessage) {
    // The gallery's backdrop is the first picture drawn.
    const char* const first = "galleryBackground.png";
    const std::string png = fileBytes(std::string(QUANDRELS_BINARY_DIR) + "/data/" + first);
    const std::string cutShort = png.substr(0, png.size() / 3);
    const std::string notAPicture = "this is not a picture";
    struct Case {
        const char* label;
        const std::string* replacement;  // null: the picture is left out of the pack
        bool pack;                       // false: no pack and no data folder at all
        const char* message;
    };
    const std::vector<Case> cases = {
        {"entry missing from the pack", nullptr, true, "Cannot open file galleryBackground.png\n"},
        {"picture cut short", &cutShort, true, "Couldn't load image: "},
        {"not a picture", &notAPicture, true, "Couldn't load image: "},
        {"no data anywhere", nullptr, false, "Can't load data/"},
    };
    for (const char* name : {"quandrels", "quandrels-fixed"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(name) + ": " + c.label);
            TempDir folder;
            std::string started = program(name);
            if (c.pack) {
                putAlteredPack(folder, first, c.replacement);
            } else {
                // A copy of the program in a folder of its own: the build folder beside the
                // built program holds the pack, which the program would find and use.
                started = folder / name;
                ProcessResult copy = runProcess({"/bin/cp", program(name), started});
                ASSERT_EQ(copy.status, 0) << copy.err;
            }
            Outcome o = runUntilItEnds(started, folder, 30);
            EXPECT_TRUE(o.exited) << "the program must end by itself, without a crash\n" << o.output;
            EXPECT_EQ(o.status, 0) << o.output;
            EXPECT_NE(o.output.find(c.message), std::string::npos) << o.output;
            // The window had opened; the failure came from the first frame, and the shutdown
            // ran to its end (no sanitizer or library complaint after the message).
            EXPECT_NE(o.output.find("Width = 854, Height = 480."), std::string::npos) << o.output;
        }
    }
}

}  // namespace
