// BufferableMap: a self-describing record, text keys to typed values, each value written
// after a one-byte type tag so that a stream can be read back without knowing its shape.
// The map owns its values.
#pragma once

#include "core/Bufferable.h"
#include "core/Map.h"
#include "core/String.h"
#include "core/Values.h"

class Buffer;
class BufferableList;
class Vector3;

class BufferableMap : public Map<String, Bufferable*>, public Bufferable {
public:
    // Type tags. 3 and 5 are unused; 0 stands for null and for classes not listed here.
    enum Tag : unsigned char {
        TAG_NONE = 0,
        TAG_BOOLEAN = 1,
        TAG_BYTE2 = 2,
        TAG_INTEGER = 4,
        TAG_FLOAT = 6,
        TAG_DOUBLE = 7,
        TAG_VECTOR3 = 8,
        TAG_STRING = 9,
        TAG_BUFFER = 10,
        TAG_MAP = 11,
        TAG_LIST = 12,
    };

    // Maps and lists nested deeper than this are not read: the read stops where the
    // limit is reached, so a hostile stream cannot exhaust the stack. The outermost map
    // or list counts as level 1.
    static constexpr int MAX_DEPTH = 64;

    BufferableMap() = default;
    BufferableMap(const BufferableMap&) = delete;
    BufferableMap& operator=(const BufferableMap&) = delete;
    ~BufferableMap() override;

    // Deletes every value, then empties the map.
    void clear() override;

    // int32 count, then per entry: key (String layout), tag byte, payload.
    void writeToBuffer(Buffer* target) override;
    // Replaces the content with the entries of the stream. Entries of tag 0 are skipped;
    // the read stops (keeping what it has) at an unknown tag, at the end of the stream or
    // at the depth limit. A key that repeats keeps its first position and its last value.
    void readFromBuffer(Buffer* source) override;

    // The value under `key` when it is of the asked class, otherwise null.
    Boolean* getBoolean(const char* key) const;
    Byte2* getByte2(const char* key) const;
    Integer* getInteger(const char* key) const;
    Float* getFloat(const char* key) const;
    Double* getDouble(const char* key) const;
    Vector3* getVector3(const char* key) const;
    String* getString(const char* key) const;
    Buffer* getBuffer(const char* key) const;
    BufferableMap* getMap(const char* key) const;
    BufferableList* getList(const char* key) const;

    // The tag a value is written with (0 for null and unlisted classes).
    static Tag tagOf(Bufferable* value);

    // The recursive reader behind readFromBuffer. Returns false when the stream cannot be
    // interpreted any further (unknown tag, depth limit), so that every enclosing reader
    // stops too.
    bool readEntries(Buffer* source, int depth);
};
