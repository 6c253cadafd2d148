// The language the desktop program speaks: the one chosen in "Tools" > "Language", kept with the settings,
// or "As the system" (the locale's variables, as gettext reads them), with Qt's own buttons and dialogs in
// the same language through Qt's translations.
#pragma once

#include <QString>

#include <optional>
#include <string>

class QCoreApplication;
class QSettings;
class QWidget;

namespace tessel {

// A language's code or "en" chosen, or none for "As the system".
using LanguageChoice = std::optional<std::string>;

// The choice kept in the settings; "As the system" when none is kept or what is kept cannot be read.
LanguageChoice KeptLanguageChoice(QSettings& settings);
void KeepLanguageChoice(QSettings& settings, const LanguageChoice& choice);

// Puts in use the language `choice` picks, from the catalogue beside the program, and Qt's translations
// for it in `app`. A catalogue that cannot be read leaves English, with one line on standard error.
void UseLanguageChoice(QCoreApplication& app, const LanguageChoice& choice);

// "Tools" > "Language" in `window`'s menu bar: "As the system", English, then each language in its own
// name; the item kept is checked, and choosing one puts it in use and keeps it.
void AddLanguageMenu(QWidget& window, QSettings& settings);

}  // namespace tessel
