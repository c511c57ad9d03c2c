// The four commands of quandrels-pack. Each returns the process's exit status: 0 success,
// 1 failure (after one line on standard error that names the file and what is wrong).
#pragma once

#include <string>

// Packs SOURCE_DIR into PACK_FILE through a temporary file beside it, renamed into place
// only when the pack is complete.
int packCommand(const std::string& source, const std::string& pack, const char* password);

// Unpacks PACK_FILE into TARGET_DIR. Refuses, before writing anything, entries whose names
// could leave the target, duplicate entries, damaged records, and entries that would land
// on something already there (unless overwrite, which replaces existing files).
int extractCommand(const std::string& pack, const std::string& target, const char* password, bool overwrite);

// Prints the tree, one entry a line: the stored size (or "-" for a directory), then the
// path, directories ending in '/'.
int listCommand(const std::string& pack, const char* password);

// Reads and inflates every file entry; prints each bad one and fails if there is any.
int verifyCommand(const std::string& pack, const char* password);
