#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "quandrels-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

void TempDir::writeFile(const std::string& relative, const std::string& content) const {
    fs::path target = fs::path(root) / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string TempDir::readFile(const std::string& relative) const {
    std::ifstream in(fs::path(root) / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}
