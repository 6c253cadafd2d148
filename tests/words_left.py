#!/usr/bin/env python3
"""tests/words_left.py SOURCE_DIR: lists the user-facing literals left outside the word catalogue
(game/catalogue.h) in the front ends' sources, with their count, and fails if there is any.

A literal counts when it reads as words: two words with a blank between them, one capitalised word
("Undo") or a cry in capitals ("CLEARED!!"). In C++ and JavaScript that is a string literal outside comments; in the page,
text between tags and the aria-label, alt and title attributes. Names that are not words (settings keys,
environment variables, the program's name for Qt) are listed in NOT_WORDS with why."""
import pathlib
import re
import sys

# Literals that look like words but are names a player never reads as words.
NOT_WORDS = {
    "Tessel",  # shell/strings.h: the application's name for Qt, never translated
    "platform plugin",  # shell/main.cpp: matched in Qt's own message
    "Escape",  # web/tessel.js: a key's name in the browser's events, and the game's (game/keys.h)
    # the game's names of the keys the front ends pass on (game/keys.h), never shown; Space also in aria-keyshortcuts
    "Left", "Right", "Up", "Down", "Enter", "Space",
    "use strict",
    "(prefers-contrast: more)",  # web/: the browser's media queries
    "(prefers-color-scheme: dark)",
    "(pointer: coarse)",
}

# Two words with a blank between them, one capitalised word ("Undo") or a cry in capitals ("CLEARED!!").
WORDS = re.compile(r"[A-Za-z]{2,}[,.;:!?']*\s+[A-Za-z]{2,}|^[A-Z][a-z]+[!?.]*$|^[A-Z]+[!?]+$")
STRING = re.compile(r'"((?:[^"\\\n]|\\.)*)"' + r"|'((?:[^'\\\n]|\\.)*)'" + r"|`((?:[^`\\]|\\.)*)`")


def strip_comments(text):
    # Block and line comments, kept out of strings well enough for these sources.
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return "\n".join(re.sub(r"(^|\s)//.*$", "", line) for line in text.split("\n"))


def code_literals(path):
    lines = strip_comments(path.read_text()).split("\n")
    for number, line in enumerate(lines, 1):
        if line.lstrip().startswith("#include"):
            continue
        for match in STRING.finditer(line):
            literal = next(group for group in match.groups() if group is not None)
            yield number, literal


def page_literals(path):
    # An inline script in the head is code, not words (its lines kept, for the numbers).
    text = re.sub(r"<script>.*?</script>", lambda m: "\n" * m.group(0).count("\n"), path.read_text(), flags=re.S)
    for match in re.finditer(r">([^<]+)<", text):
        yield text.count("\n", 0, match.start()) + 1, match.group(1).strip()
    for match in re.finditer(r'(?:aria-label|alt|title)="([^"]*)"', text):
        yield text.count("\n", 0, match.start()) + 1, match.group(1)


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    page, sources = root / "web/index.html", ("shell/*.cpp", "shell/*.h", "web/*.js", "web/*.cpp")
    literals = [(path, n, s) for glob in sources for path in sorted(root.glob(glob)) for n, s in code_literals(path)]
    literals += [(page, n, s) for n, s in page_literals(page)]
    found = [(path, n, s) for path, n, s in literals if WORDS.search(s) and s not in NOT_WORDS]
    for path, number, literal in found:
        print(f"{path.relative_to(root)}:{number}: {literal}")
    print(f"{len(found)} user-facing literals outside the catalogue")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
