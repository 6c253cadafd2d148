#!/bin/sh
# po/make-template.sh XGETTEXT SOURCE_DIR OUTPUT: the template of every message, from the files POTFILES
# lists (the catalogue's C++ with its markers, the desktop entry, the metainfo), with each "TRANSLATORS:"
# comment as the note translators read. No creation date, so that the template changes only when a message
# does.
set -eu
xgettext=$1 source=$2 output=$3
cd "$source"
sources=$(grep -v '^#' po/POTFILES | grep -E '\.(h|cpp)$')
others=$(grep -v '^#' po/POTFILES | grep -vE '\.(h|cpp)$')
common="--from-code=UTF-8 --sort-by-file --no-wrap --package-name=Tessel --msgid-bugs-address=tessel@example.org"
# xgettext takes a note only from the lines right above the one where a message's text starts, and a long
# message's text starts lines below its name: the C++ is read from copies with those lines joined
# (join-markers.pl), every other line keeping its number.
copies=$(mktemp -d)
output=$(realpath -m "$output")
trap 'rm -rf "$copies"' EXIT
for file in $sources; do
    mkdir -p "$copies/$(dirname "$file")"
    perl -0p po/join-markers.pl "$file" >"$copies/$file"
done
# shellcheck disable=SC2086
(cd "$copies" && "$xgettext" $common --language=C++ --add-comments=TRANSLATORS: --keyword \
    --keyword=Text --keyword=TextIn:1c,2 --keyword=Plural:1,2 --keyword=PluralIn:1c,2,3 \
    '--keyword=MarkedName:1,"the name of a puzzle, said by screen readers and written in dialogs"' \
    --keyword=MarkedHelp -o "$output.new" $sources)
sed -i 's/charset=CHARSET/charset=UTF-8/' "$output.new"
# shellcheck disable=SC2086
"$xgettext" $common --join-existing -o "$output.new" $others
sed -i -e '/^"POT-Creation-Date:/d' \
    -e 's/^# SOME DESCRIPTIVE TITLE\./# The messages of Tessel, for translators (docs\/translating.md)./' \
    -e "s/^# Copyright (C) YEAR THE PACKAGE'S COPYRIGHT HOLDER/# Copyright (C) 2026 The Tessel developers/" \
    -e 's/^# This file is distributed under the same license as the Tessel package\./# This file is distributed under the same license as Tessel (MIT)./' "$output.new"
mv "$output.new" "$output"
