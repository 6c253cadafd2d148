#include "core/looks.h"

namespace tessel {

std::string_view LookName(Look look) {
    switch (look) {
        case Look::HIGH_CONTRAST:
            return "high-contrast";
        case Look::DARK:
            return "dark";
        case Look::CLASSIC:
            break;
    }
    return "classic";
}

std::optional<Look> LookNamed(std::string_view name) {
    for (const Look look : LOOKS) {
        if (LookName(look) == name) return look;
    }
    return std::nullopt;
}

}  // namespace tessel
