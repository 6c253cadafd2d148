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

// The FNV-1a hash of a message's gettext key: its context, "\x04" and its English text, or the English text
// alone. The compact form names messages by it.
uint32_t MessageKeyHash(std::string_view context, std::string_view english);

struct CompiledCatalogue {
    std::map<uint32_t, std::vector<std::string>> forms;  // each message's forms, by its key's hash
    PluralRule plural;

    // The forms of a message; none when the language lacks it.
    const std::vector<std::string>* Find(std::string_view context, std::string_view english) const;
};

// The catalogue in `bytes`; none, with a one-line reason in `error`, when they are not one whole: the
// magic, a Plural-Forms rule that reads, every message's hash and text within the bytes, in UTF-8, and each
// message with several forms having the rule's number of them.
std::optional<CompiledCatalogue> ReadCompiledCatalogue(std::string_view bytes, std::string& error);

}  // namespace tessel
