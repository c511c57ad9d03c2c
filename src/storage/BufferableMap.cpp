// BufferableMap: tagged serialisation of keyed values, and the reader that every nested
// map and list goes through. The reader trusts nothing in the stream: it never reads past
// the buffer (Buffer::read stops at the end), allocates at most one value per byte read,
// and stops at the first thing it cannot interpret.
#include "storage/BufferableMap.h"

#include <cstdint>

#include "core/Buffer.h"
#include "math/Vector3.h"
#include "storage/BufferableList.h"

BufferableMap::~BufferableMap() { clear(); }

void BufferableMap::clear() {
    for (Bufferable* value : values) delete value;
    Map::clear();
}

BufferableMap::Tag BufferableMap::tagOf(Bufferable* value) {
    // Tested in the order of the tag table.
    if (!value) return TAG_NONE;
    if (dynamic_cast<Boolean*>(value)) return TAG_BOOLEAN;
    if (dynamic_cast<Byte2*>(value)) return TAG_BYTE2;
    if (dynamic_cast<Integer*>(value)) return TAG_INTEGER;
    if (dynamic_cast<Float*>(value)) return TAG_FLOAT;
    if (dynamic_cast<Double*>(value)) return TAG_DOUBLE;
    if (dynamic_cast<Vector3*>(value)) return TAG_VECTOR3;
    if (dynamic_cast<String*>(value)) return TAG_STRING;
    if (dynamic_cast<Buffer*>(value)) return TAG_BUFFER;
    if (dynamic_cast<BufferableMap*>(value)) return TAG_MAP;
    if (dynamic_cast<BufferableList*>(value)) return TAG_LIST;
    return TAG_NONE;
}

void BufferableMap::writeToBuffer(Buffer* target) {
    int32_t n = size();
    target->write(&n, 4);
    for (int i = 0; i < n; i++) {
        keys.at(i).writeToBuffer(target);
        Bufferable* value = values.at(i);
        unsigned char tag = tagOf(value);
        target->write(&tag, 1);
        if (tag != TAG_NONE) value->writeToBuffer(target);
    }
}

void BufferableMap::readFromBuffer(Buffer* source) { readEntries(source, 1); }

namespace {

// A value of a fixed or self-delimiting layout, ready to read its payload; null for tags
// that are not such values.
Bufferable* newPlainValue(unsigned char tag) {
    switch (tag) {
        case BufferableMap::TAG_BOOLEAN:
            return new Boolean();
        case BufferableMap::TAG_BYTE2:
            return new Byte2();
        case BufferableMap::TAG_INTEGER:
            return new Integer();
        case BufferableMap::TAG_FLOAT:
            return new Float();
        case BufferableMap::TAG_DOUBLE:
            return new Double();
        case BufferableMap::TAG_VECTOR3:
            return new Vector3();
        case BufferableMap::TAG_STRING:
            return new String();
        case BufferableMap::TAG_BUFFER:
            return new Buffer();
        default:
            return nullptr;
    }
}

// Enters a value read from a stream. A key seen before keeps its place and takes the new
// value; the map owns both, so the one it replaces is deleted rather than lost.
void enter(BufferableMap& map, const String& key, Bufferable* value) {
    int index = map.indexOf(key);
    if (index < 0) {
        map.put(key, value);
        return;
    }
    Bufferable*& slot = map.values.at(index);
    if (slot != value) delete slot;
    slot = value;
}

}  // namespace

bool BufferableMap::readEntries(Buffer* source, int depth) {
    clear();
    int32_t n = 0;
    source->read(&n, 4);
    for (int32_t i = 0; i < n; i++) {
        // Every entry takes at least one byte, so a huge count ends with the stream.
        if (source->isOnEnd()) return true;
        String key;
        key.readFromBuffer(source);
        unsigned char tag = TAG_NONE;
        if (source->read(&tag, 1) == 0) return true;  // cut before its tag: dropped
        if (tag == TAG_NONE) continue;

        if (Bufferable* value = newPlainValue(tag)) {
            value->readFromBuffer(source);
            enter(*this, key, value);
            continue;
        }
        if (tag != TAG_MAP && tag != TAG_LIST) return false;  // payload length unknown
        if (depth >= MAX_DEPTH) return false;
        bool readable;
        if (tag == TAG_MAP) {
            BufferableMap* nested = new BufferableMap();
            readable = nested->readEntries(source, depth + 1);
            enter(*this, key, nested);
        } else {
            BufferableList* nested = new BufferableList();
            readable = nested->readElements(source, depth + 1);
            enter(*this, key, nested);
        }
        if (!readable) return false;
    }
    return true;
}

Boolean* BufferableMap::getBoolean(const char* key) const { return dynamic_cast<Boolean*>(get(key)); }
Byte2* BufferableMap::getByte2(const char* key) const { return dynamic_cast<Byte2*>(get(key)); }
Integer* BufferableMap::getInteger(const char* key) const { return dynamic_cast<Integer*>(get(key)); }
Float* BufferableMap::getFloat(const char* key) const { return dynamic_cast<Float*>(get(key)); }
Double* BufferableMap::getDouble(const char* key) const { return dynamic_cast<Double*>(get(key)); }
Vector3* BufferableMap::getVector3(const char* key) const { return dynamic_cast<Vector3*>(get(key)); }
String* BufferableMap::getString(const char* key) const { return dynamic_cast<String*>(get(key)); }
Buffer* BufferableMap::getBuffer(const char* key) const { return dynamic_cast<Buffer*>(get(key)); }
BufferableMap* BufferableMap::getMap(const char* key) const { return dynamic_cast<BufferableMap*>(get(key)); }
BufferableList* BufferableMap::getList(const char* key) const {
    return dynamic_cast<BufferableList*>(get(key));
}
