// quandrels-pack: builds, unpacks, lists and checks the game's pack files.
// Exit status: 0 success, 1 failure, 2 usage error.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "PackCommands.h"

namespace {

const char* const USAGE =
    "Usage: quandrels-pack COMMAND ARGUMENTS...\n"
    "Builds, unpacks, lists and checks pack files of the game's data.\n"
    "\n"
    "Commands:\n"
    "  pack SOURCE_DIR PACK_FILE [--password TEXT]\n"
    "      pack a directory tree into a pack file\n"
    "  extract PACK_FILE TARGET_DIR [--password TEXT] [--overwrite]\n"
    "      unpack a pack file into a directory\n"
    "  list PACK_FILE [--password TEXT]\n"
    "      show the tree of a pack file with each file's stored size\n"
    "  verify PACK_FILE [--password TEXT]\n"
    "      read and inflate every file of a pack file\n"
    "\n"
    "Run 'quandrels-pack COMMAND --help' for more about a command.\n"
    "Exit status: 0 success, 1 failure, 2 wrong usage.\n";

struct Command {
    const char* name;
    const char* usage;
    const char* help;
    int operands;
    bool overwrite;  // accepts --overwrite
};

const Command COMMANDS[] = {
    {"pack", "quandrels-pack pack SOURCE_DIR PACK_FILE [--password TEXT]",
     "Packs every file and directory below SOURCE_DIR into PACK_FILE. The pack is written to\n"
     "a temporary file beside PACK_FILE and renamed into place only when it is complete, so a\n"
     "failed run leaves an earlier PACK_FILE untouched. An earlier PACK_FILE inside SOURCE_DIR\n"
     "is not packed into the new one. Symbolic links are packed as the files they point to.\n"
     "\n"
     "  --password TEXT   store TEXT as the pack's password (readers must then give one)\n",
     2, false},
    {"extract", "quandrels-pack extract PACK_FILE TARGET_DIR [--password TEXT] [--overwrite]",
     "Unpacks PACK_FILE into TARGET_DIR, which is created when it does not exist. Nothing is\n"
     "written when an entry's name could leave TARGET_DIR (empty, '.', '..', or holding '/' or\n"
     "'\\'), when an entry appears twice or is damaged, or when an entry would land on a file\n"
     "that is already there. Symbolic links in the way are never followed.\n"
     "\n"
     "  --password TEXT   the password of a pack that stores one\n"
     "  --overwrite       replace files that are already there instead of refusing\n",
     2, true},
    {"list", "quandrels-pack list PACK_FILE [--password TEXT]",
     "Prints the tree of PACK_FILE, one entry a line: the stored (compressed) size of a file,\n"
     "or '-' for a directory, then the entry's path; directories end in '/'. Control bytes and\n"
     "backslashes in names are shown escaped ('\\x0A', '\\\\').\n"
     "\n"
     "  --password TEXT   the password of a pack that stores one\n",
     1, false},
    {"verify", "quandrels-pack verify PACK_FILE [--password TEXT]",
     "Opens and inflates every file of PACK_FILE. Prints each damaged entry and fails when\n"
     "there is any; otherwise prints a summary.\n"
     "\n"
     "  --password TEXT   the password of a pack that stores one\n",
     1, false},
};

int usageError(const std::string& what, const char* usage) {
    fprintf(stderr, "quandrels-pack: %s\nUsage: %s\nTry 'quandrels-pack --help' for more information.\n",
            what.c_str(), usage ? usage : "quandrels-pack COMMAND ARGUMENTS...");
    return 2;
}

bool isHelp(const char* argument) { return strcmp(argument, "--help") == 0 || strcmp(argument, "-h") == 0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usageError("no command given", nullptr);
    if (isHelp(argv[1]) || strcmp(argv[1], "help") == 0) {
        fputs(USAGE, stdout);
        return 0;
    }
    const Command* command = nullptr;
    for (const Command& c : COMMANDS) {
        if (strcmp(argv[1], c.name) == 0) command = &c;
    }
    if (!command) return usageError(std::string("unknown command '") + argv[1] + "'", nullptr);

    std::vector<std::string> operands;
    bool hasPassword = false;
    std::string password;
    bool overwrite = false;
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        const char* argument = argv[i];
        if (optionsEnded || argument[0] != '-' || argument[1] == 0) {
            operands.push_back(argument);
        } else if (strcmp(argument, "--") == 0) {
            optionsEnded = true;
        } else if (isHelp(argument)) {
            printf("Usage: %s\n\n%s", command->usage, command->help);
            return 0;
        } else if (strcmp(argument, "--password") == 0) {
            if (i + 1 >= argc) return usageError("--password needs a value", command->usage);
            hasPassword = true;
            password = argv[++i];
        } else if (strncmp(argument, "--password=", 11) == 0) {
            hasPassword = true;
            password = argument + 11;
        } else if (command->overwrite && strcmp(argument, "--overwrite") == 0) {
            overwrite = true;
        } else {
            return usageError(std::string("unknown option '") + argument + "' for " + command->name,
                              command->usage);
        }
    }
    if (static_cast<int>(operands.size()) != command->operands) {
        return usageError(operands.size() < static_cast<size_t>(command->operands) ? "missing operand"
                                                                                   : "too many operands",
                          command->usage);
    }
    for (const std::string& operand : operands) {
        if (operand.empty()) return usageError("an empty path is no path", command->usage);
    }
    const char* givenPassword = hasPassword ? password.c_str() : nullptr;
    std::string name = command->name;
    if (name == "pack") return packCommand(operands[0], operands[1], givenPassword);
    if (name == "extract") return extractCommand(operands[0], operands[1], givenPassword, overwrite);
    if (name == "list") return listCommand(operands[0], givenPassword);
    return verifyCommand(operands[0], givenPassword);
}
