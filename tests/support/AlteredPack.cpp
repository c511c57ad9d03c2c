#include "support/AlteredPack.h"

#include <cstdio>

#include "support/RunProcess.h"

std::string packAlteredData(const TempDir& folder, const std::string& name, const std::string* replacement) {
    const std::string source = folder / "source";
    ProcessResult copy = runProcess({"/bin/cp", "-r", std::string(QUANDRELS_BINARY_DIR) + "/data", source});
    if (copy.status != 0) return "cannot copy the data folder: " + copy.err;
    std::remove((source + "/" + name).c_str());
    if (replacement) folder.writeFile("source/" + name, *replacement);
    ProcessResult pack = runProcess(
        {std::string(QUANDRELS_BINARY_DIR) + "/quandrels-pack", "pack", source, folder / "Quandrels.dat"});
    if (pack.status != 0) return "quandrels-pack failed: " + pack.err;
    return "";
}
