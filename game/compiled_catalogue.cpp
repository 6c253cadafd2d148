#include "game/compiled_catalogue.h"

namespace tessel {

namespace {

constexpr std::string_view MAGIC = "TSC2";
constexpr char FORM_END = '\0';
constexpr char MESSAGE_END = '\x01';
constexpr char ESCAPE = '\x02';  // a letter outside the window follows, in UTF-8

uint32_t LittleEndian(std::string_view bytes, std::size_t at, std::size_t size) {
    uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The bytes of the UTF-8 sequence a lead byte starts; 0 for a byte that starts none.
std::size_t SequenceLength(char byte) {
    auto lead = static_cast<unsigned char>(byte);
    return lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
}

// Whole UTF-8 sequences only, so that no screen reader or widget is handed a broken one.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = SequenceLength(text[i]);
        if (length == 0 || text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        i += length;
    }
    return true;
}

void AppendUtf8(std::string& text, uint32_t point) {
    if (point < 0x800) {
        text += static_cast<char>(0xc0 | (point >> 6));
    } else {
        text += static_cast<char>(0xe0 | (point >> 12));
        text += static_cast<char>(0x80 | ((point >> 6) & 0x3f));
    }
    text += static_cast<char>(0x80 | (point & 0x3f));
}

// The text with each byte from 0x80 turned back into its letter of the window (128 code points from
// `window`, within the Basic Multilingual Plane), and each escaped letter into its own UTF-8; the text as
// it is without a window. None when an escape is cut short.
std::optional<std::string> OutOfWindow(std::string_view bytes, uint32_t window) {
    if (window == 0) return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80) {
            AppendUtf8(text, window + byte - 0x80);
        } else if (bytes[i] != ESCAPE) {
            text += bytes[i];
        } else {
            std::size_t length = i + 1 < bytes.size() ? SequenceLength(bytes[i + 1]) : 0;
            if (length == 0 || bytes.size() - i - 1 < length) return std::nullopt;
            text += bytes.substr(i + 1, length);
            i += length;
        }
    }
    return text;
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

uint16_t CompiledCatalogue::KeyHash(std::string_view context, std::string_view english) const {
    uint32_t hash = hashStart;
    auto add = [&hash](std::string_view part) {
        for (char c : part) hash = (hash ^ static_cast<unsigned char>(c)) * 0x01000193;
    };
    if (!context.empty()) {
        add(context);
        add("\x04");
    }
    add(english);
    return static_cast<uint16_t>(hash ^ (hash >> 16));
}

const std::vector<std::string>* CompiledCatalogue::Find(std::string_view context,
                                                        std::string_view english) const {
    auto it = forms.find(KeyHash(context, english));
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
    if (bytes.size() - at < ruleLength + 8) return refuse("the catalogue ends inside its header");
    auto rule = PluralRule::FromHeader(bytes.substr(at, ruleLength));
    if (!rule) return refuse("the catalogue's Plural-Forms do not read");
    at += ruleLength;
    const uint32_t hashStart = LittleEndian(bytes, at, 4);
    const uint32_t window = LittleEndian(bytes, at + 4, 2);
    const std::size_t count = LittleEndian(bytes, at + 6, 2);
    at += 8;
    if ((window != 0 && window < 0x80) || window > 0x10000 - 0x80)
        return refuse("the catalogue's letters have no window they fit");
    if ((bytes.size() - at) / 2 < count) return refuse("the catalogue ends inside its messages' names");
    std::optional<std::string> text = OutOfWindow(bytes.substr(at + 2 * count), window);
    if (!text || !IsUtf8(*text)) return refuse("the catalogue is not in UTF-8");

    CompiledCatalogue catalogue;
    catalogue.plural = *rule;
    catalogue.hashStart = hashStart;
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t end = text->find(MESSAGE_END, start);
        if (end == std::string::npos) return refuse("the catalogue ends inside a message");
        std::vector<std::string> forms = Forms(std::string_view(*text).substr(start, end - start));
        if (forms.size() > 1 && forms.size() != rule->forms())
            return refuse("a message of the catalogue has another number of forms than its rule");
        catalogue.forms.emplace(static_cast<uint16_t>(LittleEndian(bytes, at + 2 * i, 2)), std::move(forms));
        start = end + 1;
    }
    if (start != text->size()) return refuse("the catalogue goes on past its messages");
    return catalogue;
}

}  // namespace tessel
