#include "core/Values.h"

#include <cstring>
#include <type_traits>

#include "core/Buffer.h"

template <typename T>
void ScalarValue<T>::writeToBuffer(Buffer* target) {
    target->write(&value, sizeof(T));
}

template <typename T>
void ScalarValue<T>::readFromBuffer(Buffer* source) {
    // Read through bytes so a hostile stream can never leave a bool holding a value other
    // than 0 or 1 (which would be undefined behaviour when it is next read).
    unsigned char bytes[sizeof(T)];
    memcpy(bytes, &value, sizeof(T));
    source->read(bytes, sizeof(T));
    if constexpr (std::is_same_v<T, bool>) {
        value = bytes[0] != 0;
    } else {
        memcpy(&value, bytes, sizeof(T));
    }
}

template class ScalarValue<bool>;
template class ScalarValue<uint8_t>;
template class ScalarValue<int32_t>;
template class ScalarValue<float>;
template class ScalarValue<double>;
