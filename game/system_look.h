// What "As the system" means: the look the system's wishes ask for, the same answer on every front end.
// The front ends only read the wishes (the desktop's palette, the browser's media queries).
#pragma once

#include <optional>

#include "core/looks.h"

namespace tessel {

struct SystemWishes {
    bool dark = false;          // a dark scheme
    bool moreContrast = false;  // more contrast, asked for by players who need it whatever the hour
};

// More contrast wins over dark: High contrast is the look made for that wish, and Dark meets it only in
// part. No wish gives the game's own look.
constexpr Look SystemLook(SystemWishes wishes) {
    if (wishes.moreContrast) return Look::HIGH_CONTRAST;
    return wishes.dark ? Look::DARK : Look::CLASSIC;
}

// The look shown for a choice in "Tools" > "Look" (none for "As the system").
constexpr Look ShownLook(std::optional<Look> choice, SystemWishes wishes) {
    return choice.value_or(SystemLook(wishes));
}

}  // namespace tessel
