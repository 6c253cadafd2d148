#include "game/history.h"

namespace tessel {

void RecordMove(History& history, const Move& move) {
    history.held = history.done;
    if (history.held == HISTORY_LIMIT) {
        history.oldest = (history.oldest + 1) % HISTORY_LIMIT;
        --history.held;
        ++history.dropped;
    }
    // Room for the limit at the first move: a full ring takes no more than it holds, and is never copied.
    if (history.ring.empty()) history.ring.reserve(HISTORY_LIMIT);
    const std::size_t at = (history.oldest + history.held) % HISTORY_LIMIT;
    if (at == history.ring.size())
        history.ring.push_back(move);
    else
        history.ring[at] = move;
    history.done = ++history.held;
}

}  // namespace tessel
