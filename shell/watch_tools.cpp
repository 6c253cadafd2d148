#include "shell/watch_tools.h"

#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "game/day_board.h"
#include "game/game_id.h"
#include "game/solve_link.h"
#include "game/watch.h"
#include "shell/game_tools.h"
#include "shell/main_window.h"
#include "shell/strings.h"

namespace tessel {

void ShareSolve(MainWindow& window) {
    const std::optional<LoggedSolve> solve = SolveOnBoard(window.view().session());
    const std::string link = solve ? WriteSolveLink(*solve) : std::string();
    if (link.empty()) {
        QMessageBox::information(&window, Words(msg::SOLVE_TITLE),
                                 Words(solve ? msg::SOLVE_HAS_NO_LINK : msg::NO_SOLVE_TO_SHARE));
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(link));
    QMessageBox::information(&window, Words(msg::SOLVE_TITLE), Words(msg::SOLVE_COPIED, link));
}

QString WatchLinkText(MainWindow& window, const QString& text) {
    const std::string given = text.toStdString();
    const ReadSolveLink read = ParseSolveLink(given);
    if (!read.solve) return QString::fromStdString(read.error);
    if (const std::string error = CheckSolve(*read.solve); !error.empty())
        return Words(msg::LINK_REFUSED, Shown(given), error);
    window.view().startWatching(*read.solve);
    return {};
}

void AskForSolveLink(MainWindow& window) {
    bool ok = false;
    const QString text = QInputDialog::getText(&window, Words(msg::SOLVE_TITLE), Words(msg::ASK_SOLVE_LINK),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok) return;
    if (const QString error = WatchLinkText(window, text); !error.isEmpty())
        QMessageBox::warning(&window, Words(msg::SOLVE_TITLE), error);
}

void PlayTodaysBoard(MainWindow& window, const Puzzle& puzzle) {
    const Date today = UtcDate(QDateTime::currentSecsSinceEpoch());
    if (!HasDayBoard(today)) {
        QMessageBox::warning(&window, Words(msg::MENU_TODAYS_BOARD), Words(msg::NO_DAY_BOARD));
        return;
    }
    const QString id = QString::fromStdString(FormatGameId({&puzzle, DealOfDay(today)}));
    if (const QString error = PlayGameIdText(window, id); !error.isEmpty())
        QMessageBox::warning(&window, Words(msg::MENU_TODAYS_BOARD), error);
}

void ShareResult(MainWindow& window) {
    const std::optional<LoggedSolve> solve = SolveOnBoard(window.view().session());
    const std::string line = solve ? DayResultLine(*solve, "") : std::string();
    if (line.empty()) {
        QMessageBox::information(&window, Words(msg::RESULT_TITLE), Words(msg::NO_RESULT_TO_SHARE));
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(line));
    QMessageBox::information(&window, Words(msg::RESULT_TITLE), Words(msg::RESULT_COPIED, line));
}

}  // namespace tessel
