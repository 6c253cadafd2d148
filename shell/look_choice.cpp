#include "shell/look_choice.h"

#include <QPalette>
#include <QSettings>

#include "shell/strings.h"

namespace tessel {

namespace {

const QString LOOK_KEY = QStringLiteral("look/chosen");
const QString SYSTEM = QStringLiteral("system");

}  // namespace

SystemWishes DesktopWishes(const QPalette& palette) {
    return {.dark = palette.color(QPalette::Window).lightnessF() < 0.5,
            .moreContrast = qEnvironmentVariable("GTK_THEME").contains(QStringLiteral("HighContrast"))};
}

QString LookWords(Look look) {
    return Words(SaidLook(look));
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
