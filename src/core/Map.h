// Map<K, V>: an ordered association kept in two parallel lists; lookup is a linear scan.
// Keys are compared as texts. The map never deletes the values it points to.
#pragma once

#include <cstring>

#include "core/List.h"

template <typename K, typename V>
class Map {
public:
    List<K> keys;
    List<V> values;

    virtual ~Map() = default;

    int size() const { return keys.size(); }

    // The value of the first key equal to `key`, or a null value when there is none.
    V get(const char* key) const {
        int index = indexOf(key);
        return index < 0 ? V() : values.at(index);
    }

    // Overwrites the value of an existing key in place (the old value is not deleted),
    // otherwise appends the pair.
    void put(const K& key, V value) {
        int index = indexOf(key);
        if (index >= 0) {
            values.at(index) = value;
            return;
        }
        keys.add(key);
        values.add(value);
    }

    int indexOf(const char* key) const {
        for (int i = 0; i < keys.size(); i++) {
            if (strcmp(static_cast<const char*>(keys.at(i)), key) == 0) return i;
        }
        return -1;
    }

    virtual void clear() {
        keys.clear();
        values.clear();
    }
};
