// BufferableList: a list of typed records that serialises itself. It owns its elements;
// only BufferableMap elements survive serialisation, every other element is written as a
// bare tag 0 and dropped when read back.
#pragma once

#include "core/Bufferable.h"
#include "core/List.h"

class Buffer;
class BufferableMap;

class BufferableList : public List<Bufferable*>, public Bufferable {
public:
    BufferableList() = default;
    BufferableList(const BufferableList&) = delete;
    BufferableList& operator=(const BufferableList&) = delete;
    ~BufferableList() override;

    // Deletes every element, then empties the list.
    void clear() override;

    // int32 count, then per element: tag 11 and the map, or tag 0 alone.
    void writeToBuffer(Buffer* target) override;
    // Replaces the content with the maps of the stream; stops (keeping what it has) at the
    // end of the stream, at an unknown element or value tag, or at the depth limit of
    // BufferableMap::MAX_DEPTH.
    void readFromBuffer(Buffer* source) override;

    // The element at `index` when it is a map; null when it is not, and for an index out of
    // range (which prints "List get index overflow: %d").
    BufferableMap* getMap(int index) const;

    // The recursive reader behind readFromBuffer; false when the stream cannot be
    // interpreted any further.
    bool readElements(Buffer* source, int depth);
};
