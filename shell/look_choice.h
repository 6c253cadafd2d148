// The look the player chose in "Tools" > "Look": one of the game's looks, or "As the system", which
// follows the desktop's palette (a dark window colour gives the dark look). The choice is kept with the
// program's settings.
#pragma once

#include <QString>

#include <optional>

#include "core/looks.h"

class QPalette;
class QSettings;

namespace tessel {

// A look chosen, or none for "As the system".
using LookChoice = std::optional<Look>;

// The look the desktop's palette asks for: dark where the window colour is dark, classic otherwise.
Look SystemLook(const QPalette& palette);

// The look shown for a choice on a desktop with this palette.
Look ShownLook(LookChoice choice, const QPalette& palette);

// What a screen reader hears when the look changes: "Dark look".
QString LookWords(Look look);

// The choice kept in the settings; "As the system" when none is kept or what is kept cannot be read.
LookChoice KeptLookChoice(QSettings& settings);
// Keeps the choice in the settings.
void KeepLookChoice(QSettings& settings, LookChoice choice);

}  // namespace tessel
