// A language's messages as msgfmt compiles them from its PO file (a gettext .mo file), read from its bytes
// so that the desktop reads it from a file and the web from a download alike.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/plural_rule.h"

namespace tessel {

struct CompiledCatalogue {
    // Each message's translated forms by gettext's key: the context, "\x04" and the English text, or the
    // English text alone. A message with a count has as many forms as the rule, or it is left out.
    std::map<std::string, std::vector<std::string>, std::less<>> forms;
    PluralRule plural;
    std::string language;  // the header's Language, such as "pt_BR"
};

// The catalogue in `bytes`; none, with a one-line reason in `error`, when they are not a complete .mo file
// in UTF-8 with a Plural-Forms rule that reads.
std::optional<CompiledCatalogue> ReadCompiledCatalogue(std::string_view bytes, std::string& error);

}  // namespace tessel
