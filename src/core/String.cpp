#include "core/String.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/Buffer.h"

namespace {

char* duplicate(const char* source, size_t length) {
    char* copy = static_cast<char*>(malloc(length + 1));
    memcpy(copy, source, length);
    copy[length] = '\0';
    return copy;
}

}  // namespace

String::String() : text(duplicate("", 0)) {}

String::String(const char* source) : text(duplicate(source ? source : "", source ? strlen(source) : 0)) {}

String::String(const String& other) : text(duplicate(other.text, strlen(other.text))) {}

String::String(String&& other) noexcept : text(other.text) { other.text = duplicate("", 0); }

String::~String() { free(text); }

void String::assign(const char* source, int length) {
    // The source may live inside our own block, so copy before releasing it.
    char* copy = duplicate(source, static_cast<size_t>(length));
    free(text);
    text = copy;
}

String& String::operator=(const char* source) {
    if (!source) source = "";
    assign(source, static_cast<int>(strlen(source)));
    return *this;
}

String& String::operator=(const String& other) {
    if (this != &other) assign(other.text, other.length());
    return *this;
}

String& String::operator=(String&& other) noexcept {
    if (this != &other) {
        free(text);
        text = other.text;
        other.text = duplicate("", 0);
    }
    return *this;
}

String& String::operator+=(const char* other) {
    if (!other) return *this;
    size_t own = strlen(text);
    size_t added = strlen(other);
    // `other` may point into our own block: measure and copy it before reallocating.
    char* grown = static_cast<char*>(malloc(own + added + 1));
    memcpy(grown, text, own);
    memcpy(grown + own, other, added);
    grown[own + added] = '\0';
    free(text);
    text = grown;
    return *this;
}

String& String::operator+=(const String& other) { return *this += other.text; }

bool String::operator==(const char* other) const { return other && strcmp(text, other) == 0; }
bool String::operator==(const String& other) const { return strcmp(text, other.text) == 0; }
bool String::operator!=(const char* other) const { return !(*this == other); }
bool String::operator!=(const String& other) const { return !(*this == other); }

int String::length() const { return static_cast<int>(strlen(text)); }

int String::indexOf(const char* needle) const {
    int needleLength = static_cast<int>(strlen(needle));
    if (needleLength == 0) return 0;
    int textLength = length();
    if (needleLength > textLength) return -1;
    for (int p = 0; p <= textLength - needleLength; p++) {
        if (memcmp(text + p, needle, static_cast<size_t>(needleLength)) == 0) return p;
    }
    return -1;
}

int String::lastIndexOf(const char* needle) const {
    int needleLength = static_cast<int>(strlen(needle));
    if (needleLength == 0) return -1;
    int textLength = length();
    if (needleLength > textLength) return -1;
    for (int p = textLength - needleLength; p >= 0; p--) {
        if (memcmp(text + p, needle, static_cast<size_t>(needleLength)) == 0) return p;
    }
    return -1;
}

String String::substr(int begin, int end) const {
    int textLength = length();
    if (begin < 0) printf("Substring error, begin is %d", begin);
    if (end < -1) printf("Substring error, end is %d", end);
    if (begin > textLength) printf("Substring error, begin overflow by %d", begin - textLength);
    if (end > textLength) printf("Substring error, end overflow by %d", end - textLength);

    // end == textLength is accepted: it copies the terminator, which leaves the text unchanged.
    int first = begin < 0 ? 0 : (begin > textLength ? textLength : begin);
    int last = end >= textLength ? textLength - 1 : end;
    String result;
    if (last >= first) result.assign(text + first, last - first + 1);
    return result;
}

void String::replace(int start, int count, const char* replacement) {
    int textLength = length();
    String result = start == 0 ? String() : substr(0, start - 1);
    result += replacement;
    if (start + count < textLength) result += substr(start + count, textLength - 1);
    *this = std::move(result);
}

void String::writeToBuffer(Buffer* target) {
    int32_t n = length();
    target->write(&n, 4);
    target->write(text, n);
}

void String::readFromBuffer(Buffer* source) {
    int32_t n = 0;
    source->read(&n, 4);
    // A length cut off or pointing past the stream's end cannot be honoured: take only what
    // the buffer still holds, so a hostile length never causes a huge allocation.
    int available = source->size - source->position;
    if (n < 0) n = 0;
    if (n > available) n = available;
    char* block = static_cast<char*>(realloc(text, static_cast<size_t>(n) + 1));
    text = block;
    int got = source->read(text, n);
    text[got] = '\0';
}
