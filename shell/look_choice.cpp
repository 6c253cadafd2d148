#include "shell/look_choice.h"

#include <QPalette>
#include <QSettings>

namespace tessel {

namespace {

const QString LOOK_KEY = QStringLiteral("look/chosen");
const QString SYSTEM = QStringLiteral("system");

}  // namespace

Look SystemLook(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < 0.5 ? Look::DARK : Look::CLASSIC;
}

Look ShownLook(LookChoice choice, const QPalette& palette) {
    return choice.value_or(SystemLook(palette));
}

QString LookChoiceTitle(LookChoice choice) {
    if (!choice) return QStringLiteral("As the system");
    switch (*choice) {
        case Look::HIGH_CONTRAST:
            return QStringLiteral("High contrast");
        case Look::DARK:
            return QStringLiteral("Dark");
        case Look::CLASSIC:
            break;
    }
    return QStringLiteral("Classic");
}

QString LookWords(Look look) {
    return LookChoiceTitle(look) + QStringLiteral(" look");
}

LookChoice KeptLookChoice(QSettings& settings) {
    const QVariant kept = settings.value(LOOK_KEY);
    if (kept.typeId() != QMetaType::QString) return std::nullopt;
    return LookNamed(kept.toString().toStdString());
}

void KeepLookChoice(QSettings& settings, LookChoice choice) {
    settings.setValue(
        LOOK_KEY, choice ? QString::fromUtf8(LookName(*choice).data(), LookName(*choice).size()) : SYSTEM);
    settings.sync();
}

}  // namespace tessel
