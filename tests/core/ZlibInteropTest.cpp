// Buffer's zlib streams against an independent implementation: Python's zlib module
// inflates what Buffer::compress makes, and Buffer::decompress inflates what Python makes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/Buffer.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

namespace {

const int LEVELS[] = {0, 1, 6, 9, -1};
const size_t SIZES[] = {0, 100, 20000, (3u << 20) / 2};  // empty, small, > 16 KiB, > 1 MiB

// Compressible but not trivial: runs of text broken by pseudo-random bytes.
std::string content(size_t n) {
    std::string s;
    s.reserve(n);
    unsigned state = static_cast<unsigned>(n) + 7;
    for (size_t i = 0; i < n; i++) {
        state = state * 1664525u + 1013904223u;
        s.push_back(i % 5 == 0 ? static_cast<char>(state >> 24) : "lava stones and runes "[i % 22]);
    }
    return s;
}

bool havePython() { return system("command -v python3 >/dev/null 2>&1") == 0; }

// Runs a Python script with arguments; returns its exit status, and its output in `output`.
int runPython(const TempDir& dir, const std::string& script, const std::vector<std::string>& args,
              std::string& output) {
    dir.writeFile("script.py", script);
    std::string command = "python3 '" + (dir / "script.py") + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char chunk[512];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
    return pclose(pipe);
}

std::string caseName(size_t size, int level) {
    return "s" + std::to_string(size) + "_l" + std::to_string(level);
}

TEST(ZlibInteropTest, PythonInflatesWhatCompressMakes) {
    if (!havePython()) GTEST_SKIP() << "python3 is not installed";
    TempDir dir;
    std::vector<std::string> args;
    for (size_t size : SIZES) {
        Buffer source;
        std::string original = content(size);
        source.write(original.data(), static_cast<int>(original.size()));
        for (int level : LEVELS) {
            source.position = 0;
            std::unique_ptr<Buffer> packed(source.compress(level));
            ASSERT_NE(packed, nullptr) << caseName(size, level);
            std::string name = caseName(size, level);
            dir.writeFile(name + ".z", bytesOf(*packed));
            args.push_back(dir / (name + ".z"));
            args.push_back(dir / (name + ".out"));
        }
    }
    // Each file must hold exactly one complete zlib stream (checksum verified, nothing after).
    const char* script =
        "import sys, zlib\n"
        "for src, dst in zip(sys.argv[1::2], sys.argv[2::2]):\n"
        "    d = zlib.decompressobj()\n"
        "    out = d.decompress(open(src, 'rb').read())\n"
        "    if not d.eof or d.unused_data or d.unconsumed_tail:\n"
        "        sys.exit('not exactly one complete stream: ' + src)\n"
        "    open(dst, 'wb').write(out)\n";
    std::string output;
    ASSERT_EQ(runPython(dir, script, args, output), 0) << output;
    for (size_t size : SIZES) {
        for (int level : LEVELS) {
            EXPECT_TRUE(dir.readFile(caseName(size, level) + ".out") == content(size))
                << caseName(size, level);
        }
    }
}

TEST(ZlibInteropTest, DecompressInflatesWhatPythonMakes) {
    if (!havePython()) GTEST_SKIP() << "python3 is not installed";
    TempDir dir;
    std::vector<std::string> args;
    for (size_t size : SIZES) {
        std::string name = "s" + std::to_string(size);
        dir.writeFile(name + ".raw", content(size));
        for (int level : LEVELS) {
            args.push_back(std::to_string(level));
            args.push_back(dir / (name + ".raw"));
            args.push_back(dir / (caseName(size, level) + ".z"));
        }
    }
    // Besides whole-buffer compression: a stream flushed every 1000 bytes (many small
    // blocks, split differently from our 16 KiB chunks), and one that needs a dictionary.
    const char* script =
        "import sys, zlib\n"
        "a = sys.argv[1:]\n"
        "for level, src, dst in zip(a[0::3], a[1::3], a[2::3]):\n"
        "    open(dst, 'wb').write(zlib.compress(open(src, 'rb').read(), int(level)))\n"
        "big = open(a[-2], 'rb').read()\n"
        "c = zlib.compressobj(6)\n"
        "pieces = [c.compress(big[i:i + 1000]) + c.flush(zlib.Z_SYNC_FLUSH) for i in range(0, len(big), "
        "1000)]\n"
        "open(a[-1] + '.flushed', 'wb').write(b''.join(pieces) + c.flush())\n"
        "c = zlib.compressobj(zdict=b'lava stones and runes')\n"
        "open(a[-1] + '.dict', 'wb').write(c.compress(big[:5000]) + c.flush())\n";
    std::string output;
    ASSERT_EQ(runPython(dir, script, args, output), 0) << output;

    for (size_t size : SIZES) {
        for (int level : LEVELS) {
            std::string name = caseName(size, level);
            std::string stream = dir.readFile(name + ".z");
            ASSERT_FALSE(stream.empty()) << name;
            Buffer packed;
            packed.write(stream.data(), static_cast<int>(stream.size()));
            std::unique_ptr<Buffer> unpacked(packed.decompress());
            ASSERT_NE(unpacked, nullptr) << name;
            EXPECT_TRUE(bytesOf(*unpacked) == content(size)) << name;
        }
    }

    std::string lastName = caseName(SIZES[3], LEVELS[4]) + ".z";
    std::string flushed = dir.readFile(lastName + ".flushed");
    Buffer flushedStream;
    flushedStream.write(flushed.data(), static_cast<int>(flushed.size()));
    std::unique_ptr<Buffer> unflushed(flushedStream.decompress());
    ASSERT_NE(unflushed, nullptr);
    EXPECT_TRUE(bytesOf(*unflushed) == content(SIZES[3]));

    std::string needsDictionary = dir.readFile(lastName + ".dict");
    ASSERT_FALSE(needsDictionary.empty());
    Buffer dictionaryStream;
    dictionaryStream.write(needsDictionary.data(), static_cast<int>(needsDictionary.size()));
    EXPECT_EQ(dictionaryStream.decompress(), nullptr);
}

}  // namespace
