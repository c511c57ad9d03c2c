// A damaged copy of the game's data: the build's generated data folder with one file left
// out or replaced, packed as folder/Quandrels.dat by the build's quandrels-pack tool.
#pragma once

#include <string>

#include "support/TempDir.h"

// `replacement` null leaves `name` out. Returns what went wrong; empty when the pack is made.
std::string packAlteredData(const TempDir& folder, const std::string& name, const std::string* replacement);
