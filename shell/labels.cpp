#include "shell/labels.h"

#include <QCoreApplication>
#include <QPointer>

namespace tessel {

LanguageChanges& LanguageChanges::Get() {
    static QPointer<LanguageChanges> changes;
    if (!changes) changes = new LanguageChanges(QCoreApplication::instance());
    return *changes;
}

void Label(QAction& action, std::function<QString()> words) {
    action.setText(words());
    // The action is the connection's context: it ends with the action.
    QObject::connect(&LanguageChanges::Get(), &LanguageChanges::changed, &action,
                     [&action, words = std::move(words)] { action.setText(words()); });
}

}  // namespace tessel
