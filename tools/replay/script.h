// The replay script: one command a line, "#" comments, blank lines skipped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/keys.h"

namespace tessel::replay {

enum class CommandKind {
    None,
    Tick,
    Splash,
    Tap,
    Press,
    Move,
    Release,
    Cancel,
    Key,
    Keep,
    Resume,
    Undo,
    Redo,
    Hint,
    Game,
    Watch,
    Stats,
    Invalid
};

struct Command {
    CommandKind kind = CommandKind::None;  // None: a blank or comment-only line
    uint32_t ticks = 0;                    // tick N
    uint16_t x = 0;                        // tap, press and move X Y
    uint16_t y = 0;
    std::string error;    // what is wrong with an Invalid line
    std::string path;     // keep PATH, resume PATH; game ID: the ID, checked; watch LINK: the link, read
    Key key = Key::Left;  // key NAME
};

Command ParseLine(std::string_view line);

std::string_view CommandWord(CommandKind kind);

}  // namespace tessel::replay
