// Words that follow the language: an item labelled here is labelled again whenever the player chooses
// another language in "Tools" > "Language", so that the menus speak it at once rather than at the next start.
#pragma once

#include <QAction>
#include <QObject>
#include <QString>

#include <functional>

#include "shell/strings.h"

namespace tessel {

// Tells whoever follows the language that it changed.
class LanguageChanges : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;
    // The program's one, made on first use as a child of the application.
    static LanguageChanges& Get();

  signals:
    void changed();
};

// The action's text from `words` now and after every change of language.
void Label(QAction& action, std::function<QString()> words);
inline void Label(QAction& action, const Message& message) {
    Label(action, [&message] { return Words(message); });
}

// The language in use changed: every label is said anew.
inline void Relabel() {
    emit LanguageChanges::Get().changed();
}

}  // namespace tessel
