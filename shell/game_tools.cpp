#include "shell/game_tools.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "game/game_id.h"
#include "game/session.h"
#include "shell/main_window.h"
#include "shell/strings.h"

namespace tessel {

void ShowGameId(MainWindow& window) {
    const QString id = QString::fromStdString(GameIdOf(window.game()));
    if (id.isEmpty()) {
        QMessageBox::information(&window, Words(msg::GAME_ID_TITLE), Words(msg::NO_BOARD_TO_NAME));
        return;
    }
    QGuiApplication::clipboard()->setText(id);
    QMessageBox::information(&window, Words(msg::GAME_ID_TITLE), Words(msg::BOARD_IS, id.toStdString()));
}

namespace {

// A game with moves is given up only when the player says so; one with none goes without asking.
bool MayReplaceGame(MainWindow& window, const QString& id) {
    const uint32_t moves = MoveCount(window.view().session());
    if (moves == 0) return true;
    const QString question = Words(msg::REPLACE_GAME, moves, id.toStdString());
    return QMessageBox::question(&window, Words(msg::PLAY_GAME_ID_TITLE), question) == QMessageBox::Yes;
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
    const QString text = QInputDialog::getText(&window, Words(msg::PLAY_GAME_ID_TITLE),
                                               Words(msg::ASK_GAME_ID), QLineEdit::Normal, QString(), &ok);
    if (!ok) return;
    if (const QString error = PlayGameIdText(window, text); !error.isEmpty())
        QMessageBox::warning(&window, Words(msg::PLAY_GAME_ID_TITLE), error);
}

}  // namespace tessel
