#!/usr/bin/env python3
"""join_data_segments.py MODULE.wasm: rewrites the module's data as one segment, in place.

The optimiser cuts the data at every run of zero bytes, which saves a few bytes stored but costs some
3 KiB with gzip: the images' rows, cut into hundreds of pieces each with its own header, compress worse
than the memory they fill. One segment from the first byte to the last, the gaps zero, fills the same
memory. A module with data of another kind (passive segments, offsets not constant, a data count) is
left as it is.
"""
import sys

DATA_COUNT, DATA = 12, 11


def read_uleb(data, at):
    value = shift = 0
    while True:
        byte = data[at]
        at += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            return value, at


def read_sleb(data, at):
    value, end = read_uleb(data, at)
    bits = 7 * (end - at)
    return (value - (1 << bits) if value >> (bits - 1) & 1 else value), end


def uleb(value):
    out = bytearray()
    while True:
        byte = value & 0x7F
        value >>= 7
        out.append(byte | (0x80 if value else 0))
        if not value:
            return bytes(out)


def sleb(value):
    out = bytearray()
    while True:
        byte = value & 0x7F
        value >>= 7
        done = (value == 0 and not byte & 0x40) or (value == -1 and byte & 0x40)
        out.append(byte | (0 if done else 0x80))
        if done:
            return bytes(out)


def sections(data):
    """(kind, where the section starts, where its contents start, where it ends) for each section."""
    at = 8
    while at < len(data):
        size, start = read_uleb(data, at + 1)
        yield data[at], at, start, start + size
        at = start + size


def active_segments(data, start, end):
    """The segments as (address, bytes), or None unless each is active at a constant address."""
    count, at = read_uleb(data, start)
    segments = []
    for _ in range(count):
        flags, at = read_uleb(data, at)
        if flags != 0 or data[at] != 0x41:
            return None  # not active in memory 0 at an i32.const
        address, at = read_sleb(data, at + 1)
        if address < 0 or data[at] != 0x0B:
            return None
        size, at = read_uleb(data, at + 1)
        segments.append((address, data[at:at + size]))
        at += size
    return segments if at == end else None


def joined(data):
    """The module with its data as one segment, or None when it is to be left as it is."""
    if data[:4] != b'\0asm' or any(kind == DATA_COUNT for kind, *_ in sections(data)):
        return None
    out = bytearray(data[:8])
    for kind, header, start, end in sections(data):
        segments = active_segments(data, start, end) if kind == DATA else None
        if kind != DATA:
            out += data[header:end]
            continue
        if not segments:
            return None
        first = min(address for address, _ in segments)
        memory = bytearray(max(address + len(part) for address, part in segments) - first)
        for address, part in segments:
            memory[address - first:address - first + len(part)] = part
        body = uleb(1) + b'\0\x41' + sleb(first) + b'\x0b' + uleb(len(memory)) + bytes(memory)
        out += bytes([DATA]) + uleb(len(body)) + body
    return bytes(out)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: join_data_segments.py MODULE.wasm')
    with open(sys.argv[1], 'rb') as module:
        data = module.read()
    result = joined(data)
    if result is not None:
        with open(sys.argv[1], 'wb') as module:
            module.write(result)


if __name__ == '__main__':
    main()
