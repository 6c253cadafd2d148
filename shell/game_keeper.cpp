#include "shell/game_keeper.h"

#include <cstdio>

#include "game/kept_game.h"
#include "game/tap_cycle.h"
#include "shell/main_window.h"
#include "shell/strings.h"

namespace tessel {

GameKeeper::GameKeeper(MainWindow& window, std::string path) : window_(window) {
    if (path.empty()) {
        std::fprintf(stderr, "tessel: %s\n", Say(msg::KEPT_NOWHERE).c_str());
        return;
    }
    path = resume(path);
    if (path.empty()) return;
    writer_.emplace(std::move(path));
    connect(&window.view(), &GameView::played, this, &GameKeeper::keep);
    connect(&window, &MainWindow::closed, this, &GameKeeper::keepNow);
}

std::string GameKeeper::resume(const std::string& path) {
    KeptFile file = ReadKeptFile(path, KEPT_GAME_MAX_SIZE);
    if (file.found == KeptFile::NONE) return path;
    Session& session = window_.view().session();
    if (file.found == KeptFile::READ && ReadKeptGame(file.bytes, session)) {
        DrawScreen(session.game);
        window_.updateHistoryActions();
        kept_ = std::move(file.bytes);
        return path;
    }
    const std::string why = file.found == KeptFile::READ ? Say(msg::NOT_A_KEPT_GAME) : file.why;
    std::string moveFailed;
    const std::string aside = MoveKeptFileAside(path, moveFailed);
    if (aside.empty()) {
        // Left where it is, and never written over: nothing is kept in this run.
        std::fprintf(stderr, "tessel: %s\n", Say(msg::KEPT_GAME_STAYS, path, why, moveFailed).c_str());
        return {};
    }
    std::fprintf(stderr, "tessel: %s\n", Say(msg::KEPT_GAME_MOVED, path, why, aside).c_str());
    return path;
}

void GameKeeper::keep() {
    if (!writer_) return;
    const Session& session = window_.view().session();
    std::vector<uint8_t> bytes;
    if (KeepsGame(session.game)) bytes = KeepGame(session);
    if (bytes == kept_) return;
    kept_ = bytes;
    writer_->write(std::move(bytes));
}

void GameKeeper::keepNow() {
    keep();
    if (writer_) writer_->wait();
}

}  // namespace tessel
