#!/bin/sh
# po/make-template.sh XGETTEXT SOURCE_DIR OUTPUT: the template of every message, from the files POTFILES
# lists (the catalogue's C++ with its markers, the desktop entry, the metainfo), with each "TRANSLATORS:"
# comment as the note translators read. No creation date, so that the template changes only when a message
# does.
set -eu
xgettext=$1 source=$2 output=$3
cd "$source"
"$xgettext" --from-code=UTF-8 --add-comments=TRANSLATORS: --sort-by-file --no-wrap \
    --keyword=Text --keyword=TextIn:1c,2 --keyword=Plural:1,2 --keyword=PluralIn:1c,2,3 \
    --package-name=Tessel --msgid-bugs-address=tessel@example.org \
    --copyright-holder="The Tessel developers" \
    --files-from=po/POTFILES -o - |
    sed -e '/^"POT-Creation-Date:/d' \
        -e 's/^# SOME DESCRIPTIVE TITLE\./# The messages of Tessel, for translators (docs\/translating.md)./' \
        -e 's/^# This file is distributed under the same license as the PACKAGE package\./# This file is distributed under the same license as Tessel (MIT)./' >"$output.new"
mv "$output.new" "$output"
