// The scalar serialisable values. Each holds one field and writes it little-endian with no
// tag and no padding: Boolean and Byte2 one byte, Integer and Float four, Double eight.
// A short read leaves the bytes that were not delivered as they were.
#pragma once

#include <cstdint>

#include "core/Bufferable.h"

template <typename T>
class ScalarValue : public Bufferable {
public:
    T value;

    ScalarValue() : value() {}
    explicit ScalarValue(T v) : value(v) {}

    void writeToBuffer(Buffer* target) override;
    void readFromBuffer(Buffer* source) override;
};

class Boolean : public ScalarValue<bool> {
public:
    using ScalarValue::ScalarValue;
};

// One byte, despite the name.
class Byte2 : public ScalarValue<uint8_t> {
public:
    using ScalarValue::ScalarValue;
};

class Integer : public ScalarValue<int32_t> {
public:
    using ScalarValue::ScalarValue;
};

class Float : public ScalarValue<float> {
public:
    using ScalarValue::ScalarValue;
};

class Double : public ScalarValue<double> {
public:
    using ScalarValue::ScalarValue;
};

extern template class ScalarValue<bool>;
extern template class ScalarValue<uint8_t>;
extern template class ScalarValue<int32_t>;
extern template class ScalarValue<float>;
extern template class ScalarValue<double>;
