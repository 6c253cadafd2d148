// The look the player chose in "Tools" > "Look": one of the game's looks, or "As the system", which
// follows the desktop's wishes as game/system_look decides. The choice is kept with the program's settings.
#pragma once

#include <QString>

#include <optional>

#include "core/looks.h"
#include "game/system_look.h"

class QPalette;
class QSettings;

namespace tessel {

// A look chosen, or none for "As the system".
using LookChoice = std::optional<Look>;

// What the desktop wishes: dark where the window colour is dark; more contrast where the desktop's theme
// (GTK_THEME) is a high-contrast one, as Qt 6.4 tells no contrast preference of its own.
SystemWishes DesktopWishes(const QPalette& palette);

// What a screen reader hears when the look changes: "Dark look".
QString LookWords(Look look);

// The choice kept in the settings; "As the system" when none is kept or what is kept cannot be read.
LookChoice KeptLookChoice(QSettings& settings);
// Keeps the choice in the settings.
void KeepLookChoice(QSettings& settings, LookChoice choice);

}  // namespace tessel
