// A fresh temporary directory for one test, removed with everything in it afterwards.
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return root; }
    // root + "/" + relative
    std::string operator/(const std::string& relative) const { return root + "/" + relative; }

    // Writes `content` to root/relative, creating parent directories as needed.
    void writeFile(const std::string& relative, const std::string& content) const;
    std::string readFile(const std::string& relative) const;

private:
    std::string root;
};
