#!/usr/bin/env python3
"""po/compact_catalogue.py IN.mo OUT.cat [MODULE]: a language's catalogue in the game's compact form.

msgfmt has checked and compiled the PO file; this keeps only what the game reads, small enough for the
web page to fetch: no English, each message named by the FNV-1a hash of its gettext key (the context,
"\\x04" and the English text). The form, all numbers little-endian:

    "TSC1"                          magic
    u16 length, bytes               the header's Plural-Forms ("nplurals=3; plural=...;")
    u32 count                       messages
    count x u32                     their keys' hashes
    count x text                    each message's forms joined by NUL, each message ended by \\x01

With MODULE (the web page's WebAssembly module), only the messages whose English text the module holds:
those the page can ever say, since the game keeps every message's English to fall back on. The rest (the
desktop's command line, its files and dialogs) would only lengthen the page's download.
"""
import struct
import sys


def fnv1a(data):
    value = 0x811C9DC5
    for byte in data:
        value = ((value ^ byte) * 0x01000193) & 0xFFFFFFFF
    return value


def read_mo(path):
    data = open(path, "rb").read()
    order = "<" if struct.unpack_from("<I", data)[0] == 0x950412DE else ">"
    _, count, originals, translations = struct.unpack_from(order + "4I", data, 4)
    messages = []
    for i in range(count):
        length, offset = struct.unpack_from(order + "2I", data, originals + 8 * i)
        original = data[offset:offset + length]
        length, offset = struct.unpack_from(order + "2I", data, translations + 8 * i)
        messages.append((original, data[offset:offset + length]))
    return messages


def main(source, output, module=None):
    held = open(module, "rb").read() if module else None
    plural_forms = None
    entries = {}
    for original, translation in read_mo(source):
        if not original:
            for line in translation.decode("utf-8").splitlines():
                if line.startswith("Plural-Forms:"):
                    plural_forms = line.split(":", 1)[1].strip()
            continue
        key = original.split(b"\0")[0]
        if held is not None and key.split(b"\4")[-1] not in held:
            continue
        hashed = fnv1a(key)
        if hashed in entries:
            sys.exit(f"{source}: two messages share the hash of {key.decode()!r}; change one's context")
        if b"\1" in translation:
            sys.exit(f"{source}: the translation of {key.decode()!r} holds a \\x01")
        entries[hashed] = translation
    if not plural_forms:
        sys.exit(f"{source}: no Plural-Forms in the header")
    rule = plural_forms.encode("utf-8")
    hashes = sorted(entries)
    out = b"TSC1" + struct.pack("<H", len(rule)) + rule + struct.pack("<I", len(hashes))
    out += b"".join(struct.pack("<I", h) for h in hashes)
    out += b"".join(entries[h] + b"\1" for h in hashes)
    open(output, "wb").write(out)


if __name__ == "__main__":
    main(*sys.argv[1:4])
