// The desktop's words: every text it shows or speaks is a message of the game's catalogue
// (game/catalogue.h), said here as a QString. Beside them, the program's names that are not words.
#pragma once

#include <QString>

#include "game/catalogue.h"

namespace tessel {

// The application's name for Qt, and its small-letter form in the names by which a running copy is found;
// never translated.
inline const char* const PROGRAM_NAME = "Tessel";
// The main window's object name.
inline const char* const CLASS_NAME = "TESSEL";

template <typename... Args>
QString Words(const Message& message, const Args&... args) {
    return QString::fromStdString(Say(message, args...));
}

}  // namespace tessel
