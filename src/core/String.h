// String: a heap-allocated, NUL-terminated byte string that is also a serialisable value.
// The length is not stored; every operation measures the text.
#pragma once

#include "core/Bufferable.h"

class String : public Bufferable {
public:
    String();
    String(const char* text);  // NOLINT: implicit by design, texts convert freely
    String(const String& other);
    String(String&& other) noexcept;
    ~String() override;

    String& operator=(const char* text);
    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    String& operator+=(const char* text);
    String& operator+=(const String& other);

    bool operator==(const char* other) const;
    bool operator==(const String& other) const;
    bool operator!=(const char* other) const;
    bool operator!=(const String& other) const;

    operator const char*() const { return text; }
    operator char*() { return text; }
    const char* c_str() const { return text; }

    int length() const;
    int indexOf(const char* needle) const;
    int lastIndexOf(const char* needle) const;

    // The bytes from begin to end, both inclusive. Out-of-range bounds print their
    // diagnostics and are then clamped to the text, so nothing outside it is read.
    String substr(int begin, int end) const;

    // Replaces `count` bytes starting at `start` with `replacement`.
    void replace(int start, int count, const char* replacement);

    void writeToBuffer(Buffer* target) override;
    void readFromBuffer(Buffer* source) override;

private:
    char* text;

    void assign(const char* source, int length);
};
