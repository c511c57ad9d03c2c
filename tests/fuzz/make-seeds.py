#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/.

The files are committed; run this again only to change them. Typed-record seeds named
map-* and list-* are well-formed (the unit tests check that they read back byte for byte);
odd-* seeds are deliberately broken.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def i32(n):
    return struct.pack('<i', n)


def text(s):
    b = s.encode()
    return i32(len(b)) + b


def entry(key, tag, payload=b''):
    return text(key) + bytes([tag]) + payload


def record(*entries):
    return i32(len(entries)) + b''.join(entries)


def records(*maps):
    """A list layout whose elements are maps (None stands for a dropped element)."""
    return i32(len(maps)) + b''.join(b'\x00' if m is None else b'\x0b' + m for m in maps)


def write(target, name, data):
    folder = os.path.join(HERE, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def typed_records():
    every_tag = record(
        entry('bool', 1, b'\x01'),
        entry('byte', 2, b'\xab'),
        entry('int', 4, i32(-2)),
        entry('float', 6, struct.pack('<f', 1.5)),
        entry('double', 7, struct.pack('<d', -0.25)),
        entry('vec', 8, struct.pack('<fff', 1, 2, 3)),
        entry('str', 9, text('runes')),
        entry('buf', 10, i32(3) + b'\x00\x01\x02'),
        entry('map', 11, record(entry('x', 4, i32(1)))),
        entry('list', 12, records(record(), record(entry('y', 1, b'\x00')))),
    )
    write('bufferable_map', 'map-integer', record(entry('a', 4, i32(7))))
    write('bufferable_map', 'map-every-tag', every_tag)
    nested = record(entry('stones', 12, records(*[record(entry('index', 4, i32(i)),
                                                          entry('lit', 1, bytes([i % 2]))) for i in range(3)])),
                    entry('inner', 11, record(entry('deeper', 11, record(entry('s', 9, text('lava')))))))
    write('bufferable_map', 'map-nested', nested)
    write('bufferable_map', 'list-two-maps', records(record(entry('a', 4, i32(7))), every_tag))
    write('bufferable_map', 'odd-unknown-tag', record(entry('a', 4, i32(7)), entry('b', 5), entry('c', 1, b'\x01')))
    write('bufferable_map', 'odd-huge-count', i32(0x7fffffff) + entry('a', 9, i32(1 << 30) + b'xyz'))
    deep = b''
    for _ in range(80):
        deep += i32(1) + text('') + b'\x0b'
    write('bufferable_map', 'odd-deep', deep + i32(0))


def zlib_streams():
    content = b''.join(b'stone %d is %s\n' % (i, b'lit' if i % 3 else b'dark') for i in range(400))
    write('decompress', 'empty', zlib.compress(b'', 6))
    write('decompress', 'text-default', zlib.compress(content, -1))
    write('decompress', 'text-stored', zlib.compress(content[:300], 0))
    write('decompress', 'bytes-best', zlib.compress(bytes(range(256)) * 8, 9))
    c = zlib.compressobj(1)
    flushed = b''.join(c.compress(content[i:i + 500]) + c.flush(zlib.Z_SYNC_FLUSH) for i in range(0, 2000, 500))
    write('decompress', 'sync-flushed', flushed + c.flush())


if __name__ == '__main__':
    typed_records()
    zlib_streams()
