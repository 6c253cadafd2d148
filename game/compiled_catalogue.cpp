#include "game/compiled_catalogue.h"

namespace tessel {

namespace {

constexpr std::string_view MAGIC = "TSC1";
constexpr char FORM_END = '\0';
constexpr char MESSAGE_END = '\x01';

uint32_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Whole UTF-8 sequences only, so that no screen reader or widget is handed a broken one.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80         ? 1
                             : (lead >> 5) == 6  ? 2
                             : (lead >> 4) == 14 ? 3
                             : (lead >> 3) == 30 ? 4
                                                 : 0;
        if (length == 0 || text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        i += length;
    }
    return true;
}

std::vector<std::string> Forms(std::string_view text) {
    std::vector<std::string> forms;
    for (std::size_t start = 0;;) {
        std::size_t end = text.find(FORM_END, start);
        forms.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return forms;
        start = end + 1;
    }
}

}  // namespace

uint32_t MessageKeyHash(std::string_view context, std::string_view english) {
    uint32_t hash = 0x811c9dc5;
    auto add = [&hash](std::string_view part) {
        for (char c : part) hash = (hash ^ static_cast<unsigned char>(c)) * 0x01000193;
    };
    if (!context.empty()) {
        add(context);
        add("\x04");
    }
    add(english);
    return hash;
}

const std::vector<std::string>* CompiledCatalogue::Find(std::string_view context,
                                                        std::string_view english) const {
    auto it = forms.find(MessageKeyHash(context, english));
    return it == forms.end() ? nullptr : &it->second;
}

std::optional<CompiledCatalogue> ReadCompiledCatalogue(std::string_view bytes, std::string& error) {
    auto refuse = [&error](const char* reason) {
        error = reason;
        return std::nullopt;
    };
    if (bytes.substr(0, MAGIC.size()) != MAGIC || bytes.size() < MAGIC.size() + 2)
        return refuse("not a compiled catalogue of this game");
    std::size_t at = MAGIC.size();
    std::size_t ruleLength = LittleEndian(bytes, at, 2);
    at += 2;
    if (bytes.size() - at < ruleLength + 4) return refuse("the catalogue ends inside its header");
    auto rule = PluralRule::FromHeader(bytes.substr(at, ruleLength));
    if (!rule) return refuse("the catalogue's Plural-Forms do not read");
    at += ruleLength;
    std::size_t count = LittleEndian(bytes, at, 4);
    at += 4;
    if ((bytes.size() - at) / 4 < count) return refuse("the catalogue ends inside its messages' names");
    std::size_t text = at + 4 * count;
    if (!IsUtf8(bytes.substr(text))) return refuse("the catalogue is not in UTF-8");

    CompiledCatalogue catalogue;
    catalogue.plural = *rule;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t end = bytes.find(MESSAGE_END, text);
        if (end == std::string_view::npos) return refuse("the catalogue ends inside a message");
        std::vector<std::string> forms = Forms(bytes.substr(text, end - text));
        if (forms.size() > 1 && forms.size() != rule->forms())
            return refuse("a message of the catalogue has another number of forms than its rule");
        catalogue.forms.emplace(LittleEndian(bytes, at + 4 * i, 4), std::move(forms));
        text = end + 1;
    }
    if (text != bytes.size()) return refuse("the catalogue goes on past its messages");
    return catalogue;
}

}  // namespace tessel
