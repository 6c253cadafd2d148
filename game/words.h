// The words a player reads or hears, said from the catalogue (game/catalogue.h) in the language in use.
// A message is a whole sentence or label in English with %1, %2, ... where its arguments go, so that a
// translation can put them in any order; one with a count has its English singular and plural, and the
// language's plural rule picks the form by the first number among the arguments. A context tells apart one
// English text with two meanings. This is the shape of a gettext PO entry (msgctxt, msgid, msgid_plural),
// and the markers below are the keywords xgettext reads the catalogue with (docs/words.md).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "game/compiled_catalogue.h"

namespace tessel {

struct Message {
    std::string_view context;  // empty when the English text has one meaning
    std::string_view one;      // the English text; with a count, its singular
    std::string_view other;    // the English plural; empty when the message has no count
};

// The markers: xgettext --keyword=Text --keyword=TextIn:1c,2 --keyword=Plural:1,2 --keyword=PluralIn:1c,2,3.
constexpr Message Text(std::string_view one) {
    return {{}, one, {}};
}
constexpr Message TextIn(std::string_view context, std::string_view one) {
    return {context, one, {}};
}
constexpr Message Plural(std::string_view one, std::string_view other) {
    return {{}, one, other};
}
constexpr Message PluralIn(std::string_view context, std::string_view one, std::string_view other) {
    return {context, one, other};
}

// One argument: a number (written in digits, and the count a plural form is chosen by) or a text (itself
// said from the catalogue already, or a name such as a game ID).
class Arg {
  public:
    template <typename Number, std::enable_if_t<std::is_integral_v<Number>, int> = 0>
    Arg(Number number) : number_(static_cast<int64_t>(number)) {}  // NOLINT: numbers pass as they are
    Arg(std::string_view text) : text_(text) {}                    // NOLINT
    Arg(const std::string& text) : text_(text) {}                  // NOLINT
    Arg(const char* text) : text_(text) {}                         // NOLINT

    const std::optional<int64_t>& number() const { return number_; }
    std::string Written() const;

  private:
    std::optional<int64_t> number_;
    std::string_view text_;
};

// English, the catalogue's own language, unless a translation is in use. Process-wide.
// A language's catalogue (game/compiled_catalogue.h), its messages' forms by their keys and its plural
// rule; a message or form it lacks is said in English.
void UseTranslation(std::optional<CompiledCatalogue> translation);

// The form of `message` for `count` in the language in use, with its %1, %2 ... still in it.
std::string_view FormOf(const Message& message, uint64_t count);

// `message` said with `args` in place of %1, %2, ... (up to %9).
std::string SayWith(const Message& message, const std::vector<Arg>& args);

template <typename... Args>
std::string Say(const Message& message, const Args&... args) {
    return SayWith(message, {Arg(args)...});
}

}  // namespace tessel
