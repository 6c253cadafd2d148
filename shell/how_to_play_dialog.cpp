#include "shell/how_to_play_dialog.h"

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "game/catalogue.h"
#include "game/how_to_play.h"
#include "shell/labels.h"
#include "shell/main_window.h"

namespace tessel {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

void ShowHowToPlay(MainWindow& window) {
    const HowToPlayText text = HowToPlay(window.game());
    QMessageBox box(&window);
    box.setWindowTitle(FromUtf8(text.title));
    box.setTextFormat(Qt::PlainText);
    box.setText(FromUtf8(text.heading.empty() ? text.title : text.heading));
    QStringList paragraphs;
    for (const std::string& paragraph : text.paragraphs) paragraphs << FromUtf8(paragraph);
    box.setInformativeText(paragraphs.join(QStringLiteral("\n\n")));
    box.setStandardButtons(QMessageBox::Close);
    box.exec();
    window.activateWindow();
}

}  // namespace

void AddHowToPlay(MainWindow& window) {
    QMenu* tools =
        window.menuBar().actions().isEmpty() ? nullptr : window.menuBar().actions().first()->menu();
    if (!tools) return;
    auto* item = new QAction(&window);
    Label(*item, msg::HOW_TO_PLAY);
    item->setShortcut(QKeySequence(Qt::Key_F1));
    tools->insertAction(&window.aboutAction(), item);
    window.addAction(item);
    QObject::connect(item, &QAction::triggered, &window, [&window] { ShowHowToPlay(window); });
}

}  // namespace tessel
