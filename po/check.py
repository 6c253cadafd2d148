#!/usr/bin/env python3
"""po/check.py [--complete] SOURCE_DIR: the translations as translators hand them in, checked.

The template must be the one po/make-template.sh makes from the sources today; every language po/LINGUAS
names must have every message of it translated, none fuzzy, with the same %1, %2 ... as the English, and
pass msgfmt --check and i18nspector with no error. Each message missing is named; without --complete a
message missing or untranslated is reported but does not fail (the game says it in English).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

complete = "--complete" in sys.argv[1:]
source = [a for a in sys.argv[1:] if a != "--complete"][0]
po = os.path.join(source, "po")
faults = []
gaps = []  # messages a language lacks


def run(*command):
    return subprocess.run(command, capture_output=True, text=True)


def entries(path):
    """The messages of a PO or POT file: (context, msgid, plural, [msgstr...], fuzzy), header left out."""
    out = run("msgcat", "--no-wrap", "--no-location", path).stdout
    found = []
    for block in out.split("\n\n"):
        fields = {}
        fuzzy = False
        key = None
        for line in block.splitlines():
            if line.startswith("#,") and "fuzzy" in line:
                fuzzy = True
            if line.startswith("#"):
                continue
            m = re.match(r'^(msgctxt|msgid_plural|msgid|msgstr(?:\[\d+\])?) "(.*)"$', line)
            if m:
                key = m.group(1)
                fields[key] = m.group(2)
            elif line.startswith('"') and key:
                fields[key] += line[1:-1]
        if fields.get("msgid", "") == "":
            continue
        forms = [v for k, v in sorted(fields.items()) if k.startswith("msgstr")]
        found.append((fields.get("msgctxt"), fields["msgid"], fields.get("msgid_plural"), forms, fuzzy))
    return found


def name(context, msgid):
    return f'"{msgid}"' + (f' (context "{context}")' if context else "")


def places(text):
    return sorted(set(re.findall(r"%\d", text)))


with tempfile.TemporaryDirectory() as work:
    fresh = os.path.join(work, "tessel.pot")
    result = run(os.path.join(po, "make-template.sh"), shutil.which("xgettext"), source, fresh)
    if result.returncode:
        faults.append("the template could not be made: " + result.stderr.strip())
    template = entries(fresh)
    kept = entries(os.path.join(po, "tessel.pot"))
    wanted = {(c, i) for c, i, _, _, _ in template}
    if wanted != {(c, i) for c, i, _, _, _ in kept}:
        faults.append("po/tessel.pot is out of date: run ninja -C build tessel_pot")

    with open(os.path.join(po, "LINGUAS")) as f:
        languages = [w for line in f if not line.startswith("#") for w in line.split()]
    for language in languages:
        path = os.path.join(po, language + ".po")
        if not os.path.exists(path):
            faults.append(f"{language}: po/{language}.po is missing")
            continue
        check = run("msgfmt", "--check", "-o", os.devnull, path)
        if check.returncode:
            faults.append(f"{language}: msgfmt --check: " + check.stderr.strip().replace("\n", "; "))
        translated = {}
        present = entries(path)
        for context, msgid, plural, forms, fuzzy in present:
            if fuzzy:
                faults.append(f"{language}: fuzzy: {name(context, msgid)}")
            elif not forms or any(not form for form in forms):
                gaps.append(f"{language}: untranslated: {name(context, msgid)}")
            else:
                translated[(context, msgid)] = (plural, forms)
        for context, msgid, plural, _, _ in template:
            if (context, msgid) not in translated:
                if not any(c == context and i == msgid for c, i, _, _, _ in present):
                    gaps.append(f"{language}: missing: {name(context, msgid)}")
                continue
            english = places(msgid + (plural or ""))
            for form in translated[(context, msgid)][1]:
                # A plural form may leave the count out where the language's form says it ("one move").
                if places(form) != english and not (plural and set(places(form)) <= set(english)):
                    faults.append(f"{language}: {name(context, msgid)} has {places(form)}, not {english}")
        if not re.search(r"native speakers", open(path, encoding="utf-8").read().split("msgid")[0]):
            faults.append(f"{language}: the header does not ask native speakers for their review")
        if shutil.which("i18nspector"):
            spector = run("i18nspector", "--language", language, path)
            for line in spector.stdout.splitlines():
                if line.startswith("E:"):
                    faults.append(f"{language}: i18nspector: {line}")

for fault in faults + gaps:
    print(fault)
if gaps and not complete:
    print(f"{len(gaps)} messages left in English (--complete fails on them)")
sys.exit(1 if faults or (complete and gaps) else 0)
