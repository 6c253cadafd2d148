#include "game/compiled_catalogue.h"

#include <cstdint>

namespace tessel {

namespace {

constexpr uint32_t MAGIC = 0x950412de;

// The file's words, in whichever byte order msgfmt wrote it.
class Words {
  public:
    explicit Words(std::string_view bytes) : bytes_(bytes) {
        swapped_ = bytes.size() >= 4 && Raw(0) != MAGIC;
    }
    bool Has(std::size_t at) const { return at <= bytes_.size() && bytes_.size() - at >= 4; }
    uint32_t At(std::size_t at) const {
        uint32_t raw = Raw(at);
        if (!swapped_) return raw;
        return (raw >> 24) | ((raw >> 8) & 0xff00) | ((raw << 8) & 0xff0000) | (raw << 24);
    }

  private:
    uint32_t Raw(std::size_t at) const {
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(bytes_[at + static_cast<std::size_t>(i)]);
        return value;
    }
    std::string_view bytes_;
    bool swapped_ = false;
};

// The string the table entry at `entry` points at; none when it reaches past the file or lacks its NUL.
std::optional<std::string_view> StringAt(std::string_view bytes, const Words& words, std::size_t entry) {
    if (!words.Has(entry) || !words.Has(entry + 4)) return std::nullopt;
    std::size_t length = words.At(entry), offset = words.At(entry + 4);
    if (offset > bytes.size() || bytes.size() - offset <= length || bytes[offset + length] != '\0')
        return std::nullopt;
    return bytes.substr(offset, length);
}

std::vector<std::string> SplitAtNul(std::string_view text) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        std::size_t end = text.find('\0', start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The value of `name` in the catalogue's header, one "Name: value" a line.
std::optional<std::string_view> HeaderField(std::string_view header, std::string_view name) {
    for (std::size_t start = 0; start < header.size();) {
        std::size_t end = header.find('\n', start);
        std::string_view line = header.substr(start, end == std::string_view::npos ? end : end - start);
        if (line.size() > name.size() && line.substr(0, name.size()) == name && line[name.size()] == ':') {
            line.remove_prefix(name.size() + 1);
            while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
            return line;
        }
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return std::nullopt;
}

bool IsUtf8(std::string_view header) {
    auto type = HeaderField(header, "Content-Type");
    return type && (type->find("charset=UTF-8") != std::string_view::npos ||
                    type->find("charset=utf-8") != std::string_view::npos);
}

}  // namespace

std::optional<CompiledCatalogue> ReadCompiledCatalogue(std::string_view bytes, std::string& error) {
    Words words(bytes);
    if (!words.Has(24) || words.At(0) != MAGIC) {
        error = "not a compiled message catalogue";
        return std::nullopt;
    }
    if (words.At(4) >> 16 > 1) {
        error = "a compiled message catalogue of an unknown revision";
        return std::nullopt;
    }
    std::size_t count = words.At(8), originals = words.At(12), translations = words.At(16);
    if (count > bytes.size() / 16 || !words.Has(originals + 8 * count - 4) ||
        !words.Has(translations + 8 * count - 4)) {
        error = "the catalogue's tables reach past its end";
        return std::nullopt;
    }
    CompiledCatalogue catalogue;
    std::vector<std::string> counted;  // the messages with a plural
    bool headerRead = false;
    for (std::size_t i = 0; i < count; ++i) {
        auto original = StringAt(bytes, words, originals + 8 * i);
        auto translation = StringAt(bytes, words, translations + 8 * i);
        if (!original || !translation) {
            error = "a message of the catalogue reaches past its end";
            return std::nullopt;
        }
        if (original->empty()) {
            if (!IsUtf8(*translation)) {
                error = "the catalogue is not in UTF-8";
                return std::nullopt;
            }
            auto pluralForms = HeaderField(*translation, "Plural-Forms");
            auto rule = pluralForms ? PluralRule::FromHeader(*pluralForms) : std::nullopt;
            if (!rule) {
                error = "the catalogue's Plural-Forms do not read";
                return std::nullopt;
            }
            catalogue.plural = *rule;
            catalogue.language = std::string(HeaderField(*translation, "Language").value_or(""));
            headerRead = true;
            continue;
        }
        std::string key(original->substr(0, original->find('\0')));
        if (key.size() != original->size()) counted.push_back(key);
        catalogue.forms.emplace(std::move(key), SplitAtNul(*translation));
    }
    if (!headerRead) {
        error = "the catalogue has no header";
        return std::nullopt;
    }
    // A message with a count whose forms do not match the rule is said in English.
    for (const std::string& key : counted) {
        auto it = catalogue.forms.find(key);
        if (it != catalogue.forms.end() && it->second.size() != catalogue.plural.forms())
            catalogue.forms.erase(it);
    }
    return catalogue;
}

}  // namespace tessel
