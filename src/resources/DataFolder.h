// DataFolder: where the game's data is. The registry reads its pack file, or the folder
// "data", from the working directory; an installed game started from the menu or from a
// terminal elsewhere has neither there. enter() makes the first folder that holds the data
// the working directory before the registry starts, and names every place it searched when
// none does.
#pragma once

#include "core/List.h"
#include "core/String.h"
#include "storage/File.h"

namespace DataFolder {

// Whether `folder` holds the registry's pack file (Resources::archive) or a "data" folder.
bool holdsGameData(const File& folder);

// The working directory when it holds the data (it always wins); otherwise the first of
// `places` that does becomes the working directory. True when data was found; false, with
// a log line naming every place searched, when not (the working directory is left as it
// was, and the registry then reports the first file it cannot load).
bool enter(const List<String>& places);

}  // namespace DataFolder
