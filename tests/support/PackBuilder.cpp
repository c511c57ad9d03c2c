#include "support/PackBuilder.h"

#include <zlib.h>

#include <stdexcept>

const unsigned char PackBytes::KEY1[3] = {0x5A, 0x21, 0x7C};
const unsigned char PackBytes::KEY2[5] = {0x13, 0x44, 0x6E, 0x29, 0x58};
const unsigned char PackBytes::KEY3[7] = {0x0E, 0x63, 0x31, 0x47, 0x72, 0x1B, 0x55};

std::string PackBytes::int32le(int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return bytes;
}

std::string PackBytes::addKey(std::string bytes, const unsigned char* key, int length, long start, int sign) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char k = key[(static_cast<size_t>(start) + i) % static_cast<size_t>(length)];
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) + sign * k);
    }
    return bytes;
}

std::string PackBytes::invert(std::string bytes) {
    for (char& c : bytes) c = static_cast<char>(~static_cast<unsigned char>(c));
    return bytes;
}

std::string PackBytes::trailerField(int32_t directoryLength) {
    std::string b = int32le(directoryLength);
    b = addKey(invert(b), KEY1, 3, 0, 1);
    b = addKey(invert(b), KEY2, 5, 0, 1);
    return addKey(invert(b), KEY3, 7, 0, 1);
}

std::string PackBytes::passwordField(const std::string& password) {
    std::string b = invert(addKey(password, KEY1, 3, 0, 1));
    b = invert(addKey(b, KEY2, 5, 0, 1));
    return invert(addKey(b, KEY3, 7, 0, 1));
}

std::string PackBytes::offsetField(int32_t offset) { return addKey(invert(int32le(offset)), KEY3, 7, 0, 1); }
std::string PackBytes::countField(int32_t count) { return addKey(invert(int32le(count)), KEY1, 3, 0, 1); }
std::string PackBytes::sizeField(int32_t size) { return addKey(int32le(size), KEY2, 5, 0, 1); }

std::string PackBytes::encipherContent(const std::string& bytes, long start) {
    return addKey(addKey(addKey(bytes, KEY1, 3, start, 1), KEY2, 5, start, 1), KEY3, 7, start, 1);
}

std::string PackBytes::uncipherContent(const std::string& bytes, long start) {
    return addKey(addKey(addKey(bytes, KEY1, 3, start, -1), KEY2, 5, start, -1), KEY3, 7, start, -1);
}

std::string PackBytes::zlibStream(const std::string& bytes) {
    uLongf length = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(length, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&out[0]), &length, reinterpret_cast<const Bytef*>(bytes.data()),
                  static_cast<uLong>(bytes.size()), Z_DEFAULT_COMPRESSION) != Z_OK) {
        throw std::runtime_error("compress2 failed");
    }
    out.resize(length);
    return out;
}

PackBytes::Entry PackBytes::file(const std::string& name, const std::string& content) {
    Entry e;
    e.name = name;
    e.content = content;
    return e;
}

PackBytes::Entry PackBytes::directory(const std::string& name, std::vector<Entry> children) {
    Entry e;
    e.name = name;
    e.directory = true;
    e.children = std::move(children);
    return e;
}

std::string PackBytes::fileRecord(const std::string& zlib) {
    return std::string(1, '\0') + sizeField(static_cast<int32_t>(zlib.size())) + encipherContent(zlib, 0);
}

std::string PackBytes::descriptor(const std::string& name, int32_t offset, int32_t count) {
    return invert(name) + std::string(1, '\0') + offsetField(offset) + countField(count);
}

std::string PackBytes::assemble(const std::string& records, const std::string& directory,
                                const std::string& magic) {
    return magic + records + directory + trailerField(static_cast<int32_t>(directory.size()));
}

namespace {
void addEntries(const std::vector<PackBytes::Entry>& entries, std::string& records, std::string& descriptors,
                size_t base) {
    for (const PackBytes::Entry& e : entries) {
        int32_t offset = static_cast<int32_t>(base + records.size());
        if (e.directory) {
            records += std::string(1, '\x01');
        } else {
            records += PackBytes::fileRecord(e.stored.empty() ? PackBytes::zlibStream(e.content) : e.stored);
        }
        descriptors += PackBytes::descriptor(e.name, offset, static_cast<int32_t>(e.children.size()));
        addEntries(e.children, records, descriptors, base);
    }
}
}  // namespace

std::string PackBytes::build(const std::vector<Entry>& entries, bool hasPassword, const std::string& password,
                             const std::string& magic) {
    std::string records;
    std::string descriptors;
    addEntries(entries, records, descriptors, magic.size());
    std::string directory;
    if (hasPassword && !password.empty()) {
        directory = int32le(static_cast<int32_t>(password.size())) + passwordField(password);
    } else {
        directory = int32le(0);
    }
    directory += int32le(static_cast<int32_t>(entries.size())) + descriptors;
    return assemble(records, directory, magic);
}
