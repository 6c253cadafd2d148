// The languages the game speaks besides English, and which one a player's wishes pick: the desktop's locale
// variables, the browser's languages or the choice kept in Tools > Language.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

struct Language {
    std::string_view code;  // as po/LINGUAS names its catalogue, such as "pt_BR"
    std::string_view tag;   // the page's lang attribute, such as "pt-BR"
    std::string_view name;  // in the language itself, as the Language menu lists it
    bool rightToLeft = false;
};

inline constexpr std::string_view ENGLISH_NAME = "English";

// In the Language menu's order, after "As the system" and English.
inline constexpr std::array<Language, 10> LANGUAGES{{
    {"de", "de", "Deutsch"},
    {"fr", "fr", "Français"},
    {"es", "es", "Español"},
    {"it", "it", "Italiano"},
    {"pt_BR", "pt-BR", "Português (Brasil)"},
    {"pl", "pl", "Polski"},
    {"ru", "ru", "Русский"},
    {"ja", "ja", "日本語"},
    {"zh_CN", "zh-CN", "简体中文"},
    {"ar", "ar", "العربية", true},
}};

// The language of `code` ("de", "pt_BR"); none for English and for codes the game lacks.
const Language* FindLanguage(std::string_view code);

// The language one wish names, written as a locale ("de_AT.UTF-8@euro") or as a browser's tag ("de-AT",
// "zh-Hans-CN"): the same language and country first, then the language alone. "en" for English; none
// when the game lacks the language (Chinese written in traditional characters included).
std::optional<std::string_view> LanguageOfWish(std::string_view wish);

// The first of `wishes`, in order, that the game speaks: a language's code, or "en".
std::string_view LanguageOfWishes(const std::vector<std::string>& wishes);

// The desktop's wishes, as gettext reads them: LANGUAGE's list (unless the locale is C or POSIX), then the
// first set of LC_ALL, LC_MESSAGES and LANG. `variable` returns a variable's value, null when unset.
std::vector<std::string> LocaleWishes(const char* (*variable)(const char* name));

// The kept choice of Tools > Language: a language's code or "en", or none for "As the system" and for
// any value that does not name one.
std::optional<std::string_view> KeptLanguage(std::string_view kept);

// ---- The language in use

// The language the game speaks now: a language's code, or "en".
std::string_view LanguageInUse();

// Puts `code` in use with its compiled catalogue's bytes (English needs none). English, and false with the
// reason in `error`, when the game lacks the language or the bytes do not read as its catalogue.
bool UseLanguage(std::string_view code, std::string_view catalogue, std::string& error);

// The desktop's and tessel-replay's catalogue of `code`: DIR/LL.cat, where DIR is share/tessel/lang beside
// the folder of the program (build/bin, /usr/games). None when it cannot be read.
std::optional<std::string> ReadInstalledCatalogue(const std::string& programDir, std::string_view code);

// Puts in use the language `code` from the installed catalogue; English, with a one-line reason in
// `error`, when it cannot (missing, damaged, or a language the game lacks).
bool UseInstalledLanguage(const std::string& programDir, std::string_view code, std::string& error);

}  // namespace tessel
