// List<T>: an ordered sequence of values over a growable array.
// Out-of-range access prints a diagnostic and never touches memory outside the array.
// A list of pointers never deletes what its elements point to.
#pragma once

#include <cstdio>
#include <utility>
#include <vector>

template <typename T>
class List {
public:
    virtual ~List() = default;

    int size() const { return static_cast<int>(items.size()); }

    void add(T item) { items.push_back(std::move(item)); }

    // Out of range: prints "List get index overflow: %d" and returns a default value.
    T get(int index) const {
        if (index < 0 || index >= size()) {
            printf("List get index overflow: %d", index);
            return T();
        }
        return items[static_cast<size_t>(index)];
    }

    // Unchecked reference access for code that has already validated the index.
    T& at(int index) { return items[static_cast<size_t>(index)]; }
    const T& at(int index) const { return items[static_cast<size_t>(index)]; }

    void set(int index, T item) {
        if (index < 0 || index >= size()) {
            printf("List get index overflow: %d", index);
            return;
        }
        items[static_cast<size_t>(index)] = std::move(item);
    }

    // Out of range: prints "List remove index overflow: %d" and removes nothing.
    void remove(int index) {
        if (index < 0 || index >= size()) {
            printf("List remove index overflow: %d", index);
            return;
        }
        items.erase(items.begin() + index);
    }

    void insert(int index, T item) {
        if (index < 0) index = 0;
        if (index > size()) index = size();
        items.insert(items.begin() + index, std::move(item));
    }

    // Removes every element (destroying value elements); the capacity stays allocated.
    virtual void clear() { items.clear(); }

    void reserve(int capacity) { items.reserve(static_cast<size_t>(capacity)); }
    T* data() { return items.data(); }
    const T* data() const { return items.data(); }

    typename std::vector<T>::iterator begin() { return items.begin(); }
    typename std::vector<T>::iterator end() { return items.end(); }
    typename std::vector<T>::const_iterator begin() const { return items.begin(); }
    typename std::vector<T>::const_iterator end() const { return items.end(); }

private:
    std::vector<T> items;
};
