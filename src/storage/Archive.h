// Archive: the pack file. One file holds a tree of named entries whose contents are
// zlib streams under a byte cipher; the enciphered directory sits at the end, found
// through a 4-byte trailer. Archive reads such files, writes them, and packs or unpacks
// whole directory trees. It never throws and prints nothing; every failure is a result.
#pragma once

#include "platform/ArchiveFileHandle.h"
#include "storage/PackEntry.h"

class Buffer;

// Progress callback: (code, first, second, value, data); see Archive::setProc.
using ArchiveProc = unsigned char (*)(unsigned char, char const*, char const*, unsigned long*, void**);

class Archive {
public:
    // Cipher keys: non-zero bytes closed by a 0.
    static constexpr char arc_cip[4] = {0x5A, 0x21, 0x7C, 0x00};
    static constexpr char arc_cip2[6] = {0x13, 0x44, 0x6E, 0x29, 0x58, 0x00};
    static constexpr char arc_cip3[8] = {0x0E, 0x63, 0x31, 0x47, 0x72, 0x1B, 0x55, 0x00};

    // Content moves between file and memory in pieces of this many bytes.
    static constexpr int PIECE_SIZE = 524288;

    // Results of packFile.
    static constexpr int PACK_OK = 0;
    static constexpr int PACK_CANNOT_CREATE = 1;  // the pack file cannot be created, or the archive is open
    static constexpr int PACK_NO_SOURCE = 2;      // the source directory cannot be entered
    static constexpr int PACK_READ_FAILED = 3;    // a file could not be read or compressed
    static constexpr int PACK_WRITE_FAILED = 4;   // writing the pack failed, or it grew past 2 GiB
    static constexpr int PACK_BAD_NAME = 5;       // a name holds the byte FF, which the format cannot store
    static constexpr int PACK_BAD_CALLBACK = 6;   // the callback's content did not add up to its length
    // Result of extractFile besides openPackFile's 1 and 2: some entries were not extracted.
    static constexpr int EXTRACT_INCOMPLETE = 3;

    ArchiveFileHandle file = nullptr;
    PK_DIR* root = nullptr;
    PK_DIR* current = nullptr;
    unsigned char mode = 0;  // 0 closed, 1 open for writing, 2 open for reading
    char const* password = nullptr;
    ArchiveProc proc = nullptr;

    Archive() = default;
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    // Closes the archive; one still open for writing gets its directory written.
    ~Archive();

    // Cipher primitives. Byte i of data gets key[(start + i) mod L] added or subtracted,
    // L being the key's length up to its 0.
    static void encipher(void* data, int length, char const* key, int start);
    static void uncipher(void* data, int length, char const* key, int start);
    // Inverts every byte.
    static void xorencode(void* data, int length);

    // 0 opened; 1 cannot be opened, is not a well-formed pack, or this archive is already
    // open (it is then left as it was); 2 the pack stores a password and `password` is null.
    int openPackFile(char const* path, char const* password);
    // Closes the archive (writing the directory and trailer first when it was open for
    // writing). False when writing or closing the file failed.
    bool closePackFile();

    // Navigation, relative to `current`.
    void enterToDirectory(char const* name);
    void returnFromDirectory();
    void returnToMainDirectory();
    int getDirectoryCount();
    char const* getDirectoryName(int index);
    int getDirectorySubCount(int index);
    void getDirectoryData(int index);
    bool getDirectoryData(char const* path, long* offset);

    // Reading entries.
    bool openFile(PK_FILE* entry, char const* path);
    // Opens the entry of a node of this archive's tree (names need not be unique).
    bool openFile(PK_FILE* entry, PK_DIR* node);
    Buffer* readFile(PK_FILE* entry);
    bool selectFile(PK_FILE* entry);
    bool readFile(void* target, long count, PK_FILE* entry);

    // Writing.
    void setProc(ArchiveProc callback) { proc = callback; }
    bool createPackFile(char const* path, char const* password);
    bool addDirectory(char const* name, bool enter);
    bool writeToDirectory(void* data, int length);
    int getDirectorySize(char const* path);
    int packFile(char const* sourceDirectory, char const* packPath, char const* password);
    int extractFile(char const* packPath, char const* targetDirectory, char const* password);
    // Whether an entry name can be extracted without leaving its directory: not empty, not
    // "." or "..", and without '/' or '\\'.
    static bool isSafeName(char const* name);
    // The file, directory or entry that made the last packFile or extractFile fail (or
    // leave something out), as a path; null when nothing did.
    char const* getFailedPath() const { return failedPath; }

    // File access: the only part that differs between the builds.
    bool openRead(char const* path);
    bool openWrite(char const* path);
    long read(void* target, long size, long count);
    long write(void const* source, long size, long count);
    bool seekEnd(long offset);
    bool seekSet(long offset);
    long tell();
    bool close();

private:
    long recordsEnd = 0;       // reading: where the directory starts; records lie in [8, recordsEnd)
    long packLength = 0;       // reading: the size of the pack file
    bool writeFailed = false;  // writing: a write came up short or the pack outgrew int32 offsets
    char* failedPath = nullptr;

    int parseDirectory(const unsigned char* block, long length, char const* givenPassword);
    bool writeAll(void const* source, long length);
    bool writeInt32(long value, void (*transform)(unsigned char*));
    bool closeWriting();
    void closeReading();
    void abandonWriting();
    void setFailedPath(char const* path);
    PK_DIR* findChild(PK_DIR* directory, char const* name);
    PK_DIR* lookUp(char const* path);
    bool readRecordHeader(PK_FILE* entry, long offset);
    Buffer* inflateEntry(PK_FILE* entry, char const* packPath, char const* targetPath);
    int writeEntryContent(char const* path, char const* packPath, bool supplied);
    bool extractEntry(PK_DIR* node, int directory, char const* path, char const* packPath);
};
