#include "shell/language_choice.h"

#include <QActionGroup>
#include <QApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "game/catalogue.h"
#include "game/languages.h"
#include "shell/labels.h"

namespace tessel {

namespace {

const QString LANGUAGE_KEY = QStringLiteral("language/chosen");
const QString SYSTEM = QStringLiteral("system");

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char* Variable(const char* name) {
    return std::getenv(name);
}

// Qt's own words (the buttons of its dialogs, a line edit's menu) in the language in use.
void UseQtTranslations(QCoreApplication& app, std::string_view code) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) app.removeTranslator(installed.get());
    installed.reset();
    if (code == "en") return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + FromUtf8(code),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;  // Qt's words stay English where its translations are not installed
    app.installTranslator(translator.get());
    installed = std::move(translator);
}

}  // namespace

LanguageChoice KeptLanguageChoice(QSettings& settings) {
    const QVariant kept = settings.value(LANGUAGE_KEY);
    if (kept.typeId() != QMetaType::QString) return std::nullopt;
    const std::optional<std::string_view> language = KeptLanguage(kept.toString().toStdString());
    return language ? LanguageChoice(std::string(*language)) : std::nullopt;
}

void KeepLanguageChoice(QSettings& settings, const LanguageChoice& choice) {
    settings.setValue(LANGUAGE_KEY, choice ? FromUtf8(*choice) : SYSTEM);
    settings.sync();
}

void UseLanguageChoice(QCoreApplication& app, const LanguageChoice& choice) {
    const std::string code = choice ? *choice : std::string(LanguageOfWishes(LocaleWishes(Variable)));
    std::string error;
    if (!UseInstalledLanguage(QCoreApplication::applicationDirPath().toStdString(), code, error))
        std::fprintf(stderr, "tessel: %s\n", Say(msg::LANGUAGE_FALLBACK, error).c_str());
    UseQtTranslations(app, LanguageInUse());
}

void AddLanguageMenu(QWidget& window, QSettings& settings) {
    auto* bar = window.findChild<QMenuBar*>();
    if (!bar || bar->actions().isEmpty() || !bar->actions().first()->menu()) return;
    QMenu* tools = bar->actions().first()->menu();
    auto* menu = new QMenu(tools);
    Label(*menu->menuAction(), msg::LANGUAGE_MENU);
    tools->insertMenu(tools->actions().isEmpty() ? nullptr : tools->actions().last(), menu);
    auto* group = new QActionGroup(menu);
    const LanguageChoice kept = KeptLanguageChoice(settings);
    auto add = [&](const std::function<QString()>& title, const LanguageChoice& choice) {
        QAction* item = menu->addAction(QString());
        Label(*item, title);
        item->setCheckable(true);
        item->setChecked(choice == kept);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, &window, [&settings, choice] {
            KeepLanguageChoice(settings, choice);
            UseLanguageChoice(*QCoreApplication::instance(), choice);
            Relabel();
        });
    };
    add([] { return Words(msg::LANGUAGE_AS_THE_SYSTEM); }, std::nullopt);
    // Each language in its own name, whatever the language in use.
    add([] { return FromUtf8(ENGLISH_NAME); }, std::string("en"));
    for (const Language& language : LANGUAGES)
        add([&language] { return FromUtf8(language.name); }, std::string(language.code));
}

}  // namespace tessel
