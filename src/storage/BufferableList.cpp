// BufferableList: a list of records; maps are written in full, anything else as tag 0.
#include "storage/BufferableList.h"

#include <cstdint>

#include "core/Buffer.h"
#include "storage/BufferableMap.h"

BufferableList::~BufferableList() { clear(); }

void BufferableList::clear() {
    for (Bufferable* element : *this) delete element;
    List::clear();
}

void BufferableList::writeToBuffer(Buffer* target) {
    int32_t n = size();
    target->write(&n, 4);
    for (Bufferable* element : *this) {
        BufferableMap* map = dynamic_cast<BufferableMap*>(element);
        unsigned char tag = map ? BufferableMap::TAG_MAP : BufferableMap::TAG_NONE;
        target->write(&tag, 1);
        if (map) map->writeToBuffer(target);
    }
}

void BufferableList::readFromBuffer(Buffer* source) { readElements(source, 1); }

bool BufferableList::readElements(Buffer* source, int depth) {
    clear();
    int32_t n = 0;
    source->read(&n, 4);
    for (int32_t i = 0; i < n; i++) {
        unsigned char tag = BufferableMap::TAG_NONE;
        // Every element takes at least its tag byte, so a huge count ends with the stream.
        if (source->read(&tag, 1) == 0) return true;
        if (tag == BufferableMap::TAG_NONE) continue;
        // A list writer puts nothing but 0 or a map here: anything else means the stream
        // is not a list, and what follows cannot be interpreted.
        if (tag != BufferableMap::TAG_MAP) return false;
        if (depth >= BufferableMap::MAX_DEPTH) return false;
        BufferableMap* map = new BufferableMap();
        bool readable = map->readEntries(source, depth + 1);
        add(map);
        if (!readable) return false;
    }
    return true;
}

BufferableMap* BufferableList::getMap(int index) const { return dynamic_cast<BufferableMap*>(get(index)); }
