#include "shell/game_tools.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "game/game_id.h"
#include "game/records.h"
#include "game/session.h"
#include "shell/main_window.h"
#include "shell/records_keeper.h"

namespace tessel {

void ShowGameId(MainWindow& window) {
    const QString id = QString::fromStdString(GameIdOf(window.game()));
    if (id.isEmpty()) {
        QMessageBox::information(
            &window, QStringLiteral("Game ID"),
            QStringLiteral("There is no board in play to name. Start one from the menu."));
        return;
    }
    QGuiApplication::clipboard()->setText(id);
    QMessageBox::information(&window, QStringLiteral("Game ID"),
                             QStringLiteral("This board is %1.\nThe ID is copied: \"Play game ID...\" or "
                                            "tessel --game %1 plays it again, here or anywhere.")
                                 .arg(id));
}

namespace {

// A game with moves is given up only when the player says so; one with none goes without asking.
bool MayReplaceGame(MainWindow& window, const QString& id) {
    const uint32_t moves = MoveCount(window.view().session());
    if (moves == 0) return true;
    const QString question = QStringLiteral("Replace the game in play, %1 move%2 in, with %3?")
                                 .arg(moves)
                                 .arg(moves == 1 ? "" : "s")
                                 .arg(id);
    return QMessageBox::question(&window, QStringLiteral("Play game ID"), question) == QMessageBox::Yes;
}

}  // namespace

QString PlayGameIdText(MainWindow& window, const QString& text) {
    const ReadGameId read = ParseGameId(text.toStdString());
    if (!read.id) return QString::fromStdString(read.error);
    if (!MayReplaceGame(window, QString::fromStdString(FormatGameId(*read.id)))) return {};
    GameView& view = window.view();
    PlayGameId(view.session(), *read.id);
    emit view.played();
    return {};
}

void AskForGameId(MainWindow& window) {
    bool ok = false;
    const QString text = QInputDialog::getText(&window, QStringLiteral("Play game ID"),
                                               QStringLiteral("Game ID, such as normal-4297:"),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok) return;
    if (const QString error = PlayGameIdText(window, text); !error.isEmpty())
        QMessageBox::warning(&window, QStringLiteral("Play game ID"), error);
}

void ShowRecords(MainWindow& window, RecordsKeeper& keeper) {
    QStringList lines;
    for (const std::string& line : DescribeRecords(window.view().session().records))
        lines << QString::fromStdString(line);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Records"), lines.join(QLatin1Char('\n')),
                    QMessageBox::Close, &window);
    box.setInformativeText(QStringLiteral("Games with hints count as solved but set no record."));
    QPushButton* clear = box.addButton(QStringLiteral("Clear records"), QMessageBox::DestructiveRole);
    box.exec();
    if (box.clickedButton() == clear) keeper.clear();
}

}  // namespace tessel
