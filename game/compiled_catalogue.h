// A language's messages in the game's compact form (po/compact_catalogue.py writes it from msgfmt's
// output), read from its bytes, so that the desktop reads it from a file and the web from a download alike.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/plural_rule.h"

namespace tessel {

struct CompiledCatalogue {
    std::map<uint16_t, std::vector<std::string>> forms;  // each message's forms, by its key's hash
    PluralRule plural;
    uint32_t hashStart = 0x811c9dc5;  // the value the catalogue's hashes start from

    // The hash that names a message: FNV-1a of its gettext key (its context, "\x04" and its English text,
    // or the English text alone) from hashStart, folded to 16 bits. The build chooses the start so that
    // no two of the game's messages share a hash.
    uint16_t KeyHash(std::string_view context, std::string_view english) const;
    // The forms of a message; none when the language lacks it.
    const std::vector<std::string>* Find(std::string_view context, std::string_view english) const;
};

// The catalogue in `bytes`; none, with a one-line reason in `error`, when they are not one whole: the
// magic, a Plural-Forms rule that reads, every message's hash and text within the bytes, its text in UTF-8
// once its letters are out of their window, and each message with several forms having the rule's number
// of them.
std::optional<CompiledCatalogue> ReadCompiledCatalogue(std::string_view bytes, std::string& error);

}  // namespace tessel
