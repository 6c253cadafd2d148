#include "game/words.h"

#include <utility>

namespace tessel {

namespace {

std::optional<CompiledCatalogue>& InUse() {
    static std::optional<CompiledCatalogue> translation;
    return translation;
}

std::size_t EnglishForm(uint64_t count) {
    return count == 1 ? 0 : 1;
}

}  // namespace

std::string Arg::Written() const {
    return number_ ? std::to_string(*number_) : std::string(text_);
}

void UseTranslation(std::optional<CompiledCatalogue> translation) {
    InUse() = std::move(translation);
}

std::string_view FormOf(const Message& message, uint64_t count) {
    const bool counted = !message.other.empty();
    if (const std::optional<CompiledCatalogue>& translation = InUse()) {
        if (const std::vector<std::string>* forms = translation->Find(message.context, message.one)) {
            const std::size_t form = counted ? translation->plural.FormFor(count) : 0;
            if (form < forms->size() && !(*forms)[form].empty()) return (*forms)[form];
        }
    }
    return counted && EnglishForm(count) == 1 ? message.other : message.one;
}

std::string SayWith(const Message& message, const std::vector<Arg>& args) {
    uint64_t count = 0;
    for (const Arg& arg : args) {
        if (arg.number()) {
            count = *arg.number() < 0 ? static_cast<uint64_t>(-*arg.number())
                                      : static_cast<uint64_t>(*arg.number());
            break;
        }
    }
    const std::string_view form = FormOf(message, count);
    std::string said;
    said.reserve(form.size());
    for (std::size_t i = 0; i < form.size(); ++i) {
        const bool placeholder =
            form[i] == '%' && i + 1 < form.size() && form[i + 1] >= '1' && form[i + 1] <= '9';
        if (!placeholder) {
            said += form[i];
            continue;
        }
        const auto index = static_cast<std::size_t>(form[++i] - '1');
        if (index < args.size()) said += args[index].Written();
    }
    return said;
}

}  // namespace tessel
