#include "game/languages.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include "game/catalogue.h"
#include "game/compiled_catalogue.h"
#include "game/words.h"

namespace tessel {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// A wish split into its language and its region or script, both in lower case: "de_AT.UTF-8@euro" is de
// and at, "zh-Hans-CN" is zh and hans, cn.
struct Wish {
    std::string language;
    std::vector<std::string> rest;
};

Wish Split(std::string_view text) {
    text = text.substr(0, text.find_first_of(".@"));
    Wish wish;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find_first_of("-_", start);
        if (end == std::string_view::npos) end = text.size();
        std::string part = Lower(text.substr(start, end - start));
        if (wish.language.empty())
            wish.language = part;
        else
            wish.rest.push_back(part);
        start = end + 1;
    }
    return wish;
}

bool Has(const std::vector<std::string>& parts, std::string_view part) {
    for (const std::string& p : parts)
        if (p == part) return true;
    return false;
}

}  // namespace

const Language* FindLanguage(std::string_view code) {
    for (const Language& language : LANGUAGES)
        if (language.code == code) return &language;
    return nullptr;
}

std::optional<std::string_view> LanguageOfWish(std::string_view text) {
    Wish wish = Split(text);
    if (wish.language == "en") return "en";
    if (wish.language == "zh") {
        // Simplified characters are written in mainland China and Singapore; Taiwan, Hong Kong and Macau
        // write traditional ones, which this catalogue is not.
        bool traditional =
            Has(wish.rest, "hant") || Has(wish.rest, "tw") || Has(wish.rest, "hk") || Has(wish.rest, "mo");
        if (traditional && !Has(wish.rest, "hans")) return std::nullopt;
        return "zh_CN";
    }
    // The language alone, or its one variant here (Portuguese of Portugal reads Brazil's catalogue
    // better than English).
    for (const Language& language : LANGUAGES) {
        std::string_view code = language.code;
        if (Lower(code.substr(0, code.find('_'))) == wish.language) return code;
    }
    return std::nullopt;
}

std::string_view LanguageOfWishes(const std::vector<std::string>& wishes) {
    for (const std::string& wish : wishes)
        if (auto language = LanguageOfWish(wish)) return *language;
    return "en";
}

std::vector<std::string> LocaleWishes(const char* (*variable)(const char* name)) {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = variable(name);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    std::vector<std::string> wishes;
    const char* list = variable("LANGUAGE");
    if (list && *list && !locale.empty() && locale != "C" && locale != "POSIX" &&
        locale.rfind("C.", 0) != 0) {
        std::string_view rest = list;
        while (!rest.empty()) {
            std::size_t end = rest.find(':');
            if (end != 0) wishes.emplace_back(rest.substr(0, end));
            if (end == std::string_view::npos) break;
            rest.remove_prefix(end + 1);
        }
    }
    if (!locale.empty()) wishes.push_back(locale);
    return wishes;
}

std::optional<std::string_view> KeptLanguage(std::string_view kept) {
    if (kept == "en") return "en";
    if (const Language* language = FindLanguage(kept)) return language->code;
    return std::nullopt;
}

namespace {

std::string_view& InUse() {
    static std::string_view code = "en";
    return code;
}

}  // namespace

std::string_view LanguageInUse() {
    return InUse();
}

bool UseLanguage(std::string_view code, std::string_view catalogue, std::string& error) {
    UseTranslation(std::nullopt);
    InUse() = "en";
    if (code == "en") return true;
    const Language* language = FindLanguage(code);
    if (!language) {
        error = Say(msg::LANGUAGE_UNKNOWN, std::string(code));
        return false;
    }
    auto read = ReadCompiledCatalogue(catalogue, error);
    if (!read) return false;
    UseTranslation(std::move(*read));
    InUse() = language->code;
    return true;
}

std::optional<std::string> ReadInstalledCatalogue(const std::string& programDir, std::string_view code) {
    std::ifstream file(programDir + "/../share/tessel/lang/" + std::string(code) + ".cat", std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(file), {}};
    if (file.bad()) return std::nullopt;
    return bytes;
}

bool UseInstalledLanguage(const std::string& programDir, std::string_view code, std::string& error) {
    if (code == "en" || !FindLanguage(code)) return UseLanguage(code, {}, error);
    auto bytes = ReadInstalledCatalogue(programDir, code);
    if (!bytes) {
        UseLanguage("en", {}, error);
        error = Say(msg::LANGUAGE_CATALOGUE_MISSING, std::string(code));
        return false;
    }
    if (UseLanguage(code, *bytes, error)) return true;
    error = Say(msg::LANGUAGE_CATALOGUE_UNREADABLE, std::string(code), error);
    return false;
}

}  // namespace tessel
