#include "storage/PackTransform.h"

#include "storage/Archive.h"

void PackTransform::trailerWrite(unsigned char bytes[4]) {
    Archive::xorencode(bytes, 4);
    Archive::encipher(bytes, 4, Archive::arc_cip, 0);
    Archive::xorencode(bytes, 4);
    Archive::encipher(bytes, 4, Archive::arc_cip2, 0);
    Archive::xorencode(bytes, 4);
    Archive::encipher(bytes, 4, Archive::arc_cip3, 0);
}

void PackTransform::trailerRead(unsigned char bytes[4]) {
    Archive::uncipher(bytes, 4, Archive::arc_cip3, 0);
    Archive::xorencode(bytes, 4);
    Archive::uncipher(bytes, 4, Archive::arc_cip2, 0);
    Archive::xorencode(bytes, 4);
    Archive::uncipher(bytes, 4, Archive::arc_cip, 0);
    Archive::xorencode(bytes, 4);
}

void PackTransform::passwordWrite(unsigned char* bytes, int length) {
    Archive::encipher(bytes, length, Archive::arc_cip, 0);
    Archive::xorencode(bytes, length);
    Archive::encipher(bytes, length, Archive::arc_cip2, 0);
    Archive::xorencode(bytes, length);
    Archive::encipher(bytes, length, Archive::arc_cip3, 0);
    Archive::xorencode(bytes, length);
}

void PackTransform::passwordRead(unsigned char* bytes, int length) {
    Archive::xorencode(bytes, length);
    Archive::uncipher(bytes, length, Archive::arc_cip3, 0);
    Archive::xorencode(bytes, length);
    Archive::uncipher(bytes, length, Archive::arc_cip2, 0);
    Archive::xorencode(bytes, length);
    Archive::uncipher(bytes, length, Archive::arc_cip, 0);
}

void PackTransform::offsetWrite(unsigned char bytes[4]) {
    Archive::xorencode(bytes, 4);
    Archive::encipher(bytes, 4, Archive::arc_cip3, 0);
}

void PackTransform::offsetRead(unsigned char bytes[4]) {
    Archive::uncipher(bytes, 4, Archive::arc_cip3, 0);
    Archive::xorencode(bytes, 4);
}

void PackTransform::countWrite(unsigned char bytes[4]) {
    Archive::xorencode(bytes, 4);
    Archive::encipher(bytes, 4, Archive::arc_cip, 0);
}

void PackTransform::countRead(unsigned char bytes[4]) {
    Archive::uncipher(bytes, 4, Archive::arc_cip, 0);
    Archive::xorencode(bytes, 4);
}

void PackTransform::sizeWrite(unsigned char bytes[4]) { Archive::encipher(bytes, 4, Archive::arc_cip2, 0); }

void PackTransform::sizeRead(unsigned char bytes[4]) { Archive::uncipher(bytes, 4, Archive::arc_cip2, 0); }

void PackTransform::putInt32(unsigned char bytes[4], int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(v >> (8 * i));
}

int32_t PackTransform::getInt32(const unsigned char bytes[4]) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return static_cast<int32_t>(v);
}
