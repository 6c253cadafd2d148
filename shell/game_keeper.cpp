#include "shell/game_keeper.h"

#include <cstdio>

#include "game/kept_game.h"
#include "game/tap_cycle.h"
#include "shell/kept_file.h"
#include "shell/main_window.h"
#include "shell/random_state.h"

namespace tessel {

GameKeeper::GameKeeper(MainWindow& window, std::string path) : window_(window), path_(std::move(path)) {
    if (path_.empty()) {
        std::fprintf(stderr,
                     "tessel: neither XDG_STATE_HOME nor HOME names a folder; the game is not kept\n");
        return;
    }
    resume();
    connect(&window.view(), &GameView::played, this, &GameKeeper::keep);
    connect(&window, &MainWindow::closed, this, &GameKeeper::keep);
}

void GameKeeper::resume() {
    KeptFile file = ReadKeptFile(path_, KEPT_GAME_MAX_SIZE);
    if (file.found == KeptFile::NONE) return;
    Session& session = window_.view().session();
    if (file.found == KeptFile::READ && ReadKeptGame(file.bytes, session, RandomState())) {
        DrawScreen(session.game);
        window_.updateHistoryActions();
        kept_ = std::move(file.bytes);
        return;
    }
    const std::string why = file.found == KeptFile::READ ? "not a sound kept game of this version" : file.why;
    std::string moveFailed;
    const std::string aside = MoveKeptFileAside(path_, moveFailed);
    if (aside.empty()) {
        // Left where it is, and never written over: nothing is kept in this run.
        std::fprintf(
            stderr,
            "tessel: the kept game %s cannot be read (%s) nor moved aside (%s); not keeping the game\n",
            path_.c_str(), why.c_str(), moveFailed.c_str());
        path_.clear();
        return;
    }
    std::fprintf(stderr, "tessel: the kept game %s cannot be read (%s); moved it to %s\n", path_.c_str(),
                 why.c_str(), aside.c_str());
}

void GameKeeper::keep() {
    if (path_.empty()) return;
    const Session& session = window_.view().session();
    if (session.game.screen == SCREEN_MENU) {
        if (kept_.empty()) return;
        if (const std::string error = RemoveKeptFile(path_); !error.empty()) return tellFailure(error);
        kept_.clear();
        return;
    }
    std::vector<uint8_t> bytes = KeepGame(session, RandomState());
    if (bytes == kept_) return;
    if (!folderMade_) {
        if (const std::string error = MakeKeptFolder(path_); !error.empty()) return tellFailure(error);
        folderMade_ = true;
    }
    if (const std::string error = ReplaceKeptFile(path_, bytes); !error.empty()) return tellFailure(error);
    kept_ = std::move(bytes);
}

void GameKeeper::tellFailure(const std::string& what) {
    if (failureTold_) return;
    failureTold_ = true;
    std::fprintf(stderr, "tessel: cannot keep the game in %s (%s); playing on without keeping it\n",
                 path_.c_str(), what.c_str());
}

}  // namespace tessel
