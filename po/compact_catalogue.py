#!/usr/bin/env python3
"""po/compact_catalogue.py IN.mo TEMPLATE OUT.cat [MODULE]: a language's catalogue in the game's compact form.

msgfmt has checked and compiled the PO file; this keeps only what the game reads, small enough for the
web page to fetch: no English, each message named by a 16-bit hash of its gettext key (the context, "\\x04"
and the English text). The hash is FNV-1a from a starting value chosen so that no two messages of
TEMPLATE (every message the game holds, translated or not) share one, folded to 16 bits. The text of a
language written in one alphabet (Cyrillic, Arabic, kana) takes a byte a letter: the 128 code points from
the window's start are written as the bytes 0x80 to 0xFF, any other letter as \\x02 and its UTF-8. The form,
all numbers little-endian:

    "TSC2"                          magic
    u16 length, bytes               the header's Plural-Forms ("nplurals=3; plural=...;")
    u32 start                       the hash's starting value
    u16 window                      the first code point of the window; 0 for plain UTF-8 text
    u16 count                       messages
    count x u16                     their keys' hashes, ascending
    count x text                    each message's forms joined by NUL, each message ended by \\x01

With MODULE (the web page's WebAssembly module), only the messages whose English text the module holds:
those the page can ever say, since the game keeps every message's English to fall back on. The rest (the
desktop's command line, its files and dialogs) would only lengthen the page's download.
"""
import ast
import gzip
import struct
import sys

FNV_START = 0x811C9DC5
WINDOW = 0x80
FORM_END, MESSAGE_END, ESCAPE = b"\0", b"\1", b"\2"


def key_hash(key, start):
    value = start
    for byte in key:
        value = ((value ^ byte) * 0x01000193) & 0xFFFFFFFF
    return (value ^ (value >> 16)) & 0xFFFF


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


def template_keys(path):
    """The gettext keys of a PO or POT file's messages, obsolete ones left out."""
    keys, entry, field = [], {}, None
    def finish():
        if entry.get("msgid"):
            context = entry.get("msgctxt")
            keys.append(("" if context is None else context + "\4") + entry["msgid"])
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        word, _, text = line.partition(" ")
        if word in ("msgctxt", "msgid"):
            if word == "msgctxt" or field != "msgctxt":
                finish()
                entry = {}
            field = word
            entry[field] = ast.literal_eval(text)
        elif line.startswith('"') and field:
            entry[field] += ast.literal_eval(line)
        elif line and not line.startswith("#"):
            field = None
    finish()
    return [key.encode("utf-8") for key in keys]


def hash_start(keys, source):
    for start in range(FNV_START, FNV_START + 4096):
        if len({key_hash(key, start) for key in keys}) == len(keys):
            return start
    sys.exit(f"{source}: no starting value gives every message a hash of its own")


def in_window(text, window):
    if window == 0:
        return text
    out = bytearray()
    for letter in text.decode("utf-8"):
        point = ord(letter)
        if point < 0x80:
            out.append(point)
        elif window <= point < window + WINDOW:
            out.append(0x80 + point - window)
        else:
            out += ESCAPE + letter.encode("utf-8")
    return bytes(out)


def smallest_text(texts):
    """The messages' text in the window that makes the smallest download, or in plain UTF-8."""
    points = {ord(letter) for text in texts for letter in text.decode("utf-8") if ord(letter) >= 0x80}
    windows = {0} | {max(WINDOW, (point & ~0x1F) - shift) for point in points for shift in (0, 0x20, 0x40, 0x60)}
    windows = {window for window in windows if window + WINDOW <= 0x10000}
    best = None
    for window in sorted(windows):
        text = b"".join(in_window(text, window) + MESSAGE_END for text in texts)
        size = len(gzip.compress(text, 9, mtime=0))
        if best is None or size < best[0]:
            best = (size, window, text)
    return best[1], best[2]


def main(source, template, output, module=None):
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
        if MESSAGE_END in translation or ESCAPE in translation:
            sys.exit(f"{source}: the translation of {key.decode()!r} holds a \\x01 or \\x02")
        entries[key] = translation
    if not plural_forms:
        sys.exit(f"{source}: no Plural-Forms in the header")
    keys = sorted(set(template_keys(template)) | set(entries))
    start = hash_start(keys, source)
    ordered = sorted(entries, key=lambda key: key_hash(key, start))
    window, text = smallest_text([entries[key] for key in ordered])
    rule = plural_forms.encode("utf-8")
    out = b"TSC2" + struct.pack("<H", len(rule)) + rule + struct.pack("<IHH", start, window, len(ordered))
    out += b"".join(struct.pack("<H", key_hash(key, start)) for key in ordered)
    out += text
    open(output, "wb").write(out)


if __name__ == "__main__":
    main(*sys.argv[1:5])
