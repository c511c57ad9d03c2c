// Builds pack files byte by byte from the format's own description, independently of
// Archive, so tests can check the writer against it and hand the reader packs (honest or
// hostile) that Archive's writer would never make.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class PackBytes {
public:
    // The three keys, without their terminating 0.
    static const unsigned char KEY1[3];
    static const unsigned char KEY2[5];
    static const unsigned char KEY3[7];

    static std::string int32le(int32_t value);
    // Adds (sign +1) or subtracts (sign -1) key[(start + i) mod length] to every byte.
    static std::string addKey(std::string bytes, const unsigned char* key, int length, long start, int sign);
    static std::string invert(std::string bytes);

    static std::string trailerField(int32_t directoryLength);
    static std::string passwordField(const std::string& password);
    static std::string offsetField(int32_t offset);
    static std::string countField(int32_t count);
    static std::string sizeField(int32_t size);
    // The content transform, the three keys applied one after the other (not as one stream).
    static std::string encipherContent(const std::string& bytes, long start);
    static std::string uncipherContent(const std::string& bytes, long start);

    // The zlib stream of `bytes` at zlib's default level.
    static std::string zlibStream(const std::string& bytes);

    struct Entry {
        std::string name;
        bool directory = false;
        std::string content;  // files: the bytes a reader should get back
        std::string stored;   // files: when not empty, the raw zlib stream to store instead
        std::vector<Entry> children;
    };

    static Entry file(const std::string& name, const std::string& content);
    static Entry directory(const std::string& name, std::vector<Entry> children = {});

    // A complete pack with `entries` as its main directory; hasPassword false writes P = 0.
    static std::string build(const std::vector<Entry>& entries, bool hasPassword = false,
                             const std::string& password = std::string(),
                             const std::string& magic = "Ahoj :-)");

    // Pieces for hand-made packs: a file's record (flag, size, content) and a descriptor.
    static std::string fileRecord(const std::string& zlib);
    static std::string descriptor(const std::string& name, int32_t offset, int32_t count);
    // magic + records + directory + trailer holding the directory's length.
    static std::string assemble(const std::string& records, const std::string& directory,
                                const std::string& magic = "Ahoj :-)");
};
