#include "game/history.h"

namespace tessel {

void RecordMove(History& history, const Board& before, TapPoint tap, MoveCursors cursors) {
    history.before.resize(history.done);
    history.taps.resize(history.done);
    history.cursors.resize(history.done);
    history.before.push_back(before);
    history.taps.push_back(tap);
    history.cursors.push_back(cursors);
    if (history.taps.size() > HISTORY_LIMIT) {
        history.before.pop_front();
        history.taps.pop_front();
        history.cursors.pop_front();
    }
    history.done = history.taps.size();
}

}  // namespace tessel
