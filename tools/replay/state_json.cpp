#include "tools/replay/state_json.h"

#include <cstdio>

#include "game/decimal.h"
#include "game/game_id.h"
#include "game/solve_stats.h"
#include "puzzles/puzzle_table.h"

namespace tessel::replay {

namespace {

// Words as a JSON string's content: quotes, backslashes and control characters escaped.
std::string Escaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        if (c == '"' || c == '\\') {
            (escaped += '\\') += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

class JsonObject {
  public:
    template <typename T>
    JsonObject& Field(std::string_view name, const T& value) {
        Key(name);
        Append(value);
        return *this;
    }
    JsonObject& Object(std::string_view name, const std::string& object) {
        Key(name);
        text_ += object;
        return *this;
    }
    std::string Close() { return text_ + "}"; }

  private:
    void Key(std::string_view name) {
        text_ += text_.size() > 1 ? ",\"" : "\"";
        text_ += name;
        text_ += "\":";
    }
    void Append(std::string_view s) { (text_ += '"') += std::string(s) + '"'; }
    void Append(const char* s) { Append(std::string_view(s)); }
    void Append(long long n) { text_ += std::to_string(n); }
    template <typename Number>
    void Append(Number n) requires std::is_arithmetic_v<Number> {
        Append(static_cast<long long>(n));
    }
    template <typename Array>
    void Append(const Array& values) requires requires {
        values.begin();
    }
    {
        text_ += '[';
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (it != values.begin()) text_ += ',';
            text_ += std::to_string(static_cast<long long>(*it));
        }
        text_ += ']';
    }

    std::string text_ = "{";
};

template <typename Grid, typename Cells>
std::string GridJson(const Grid& grid, std::string_view cellsName, const Cells& cells) {
    return JsonObject()
        .Field(cellsName, cells)
        .Field("cellLeft", grid.cellLeft)
        .Field("cellTop", grid.cellTop)
        .Close();
}

// [col, row] of the cursor, or null while it is hidden.
std::string CursorJson(const Session& session) {
    const Cursor& cursor = session.cursor;
    if (!cursor.shown) return "null";
    return "[" + std::to_string(cursor.col) + "," + std::to_string(cursor.row) + "]";
}

// {"x": X, "y": Y, "move": "..."} of the hint shown, or null.
std::string HintJson(const Session& session) {
    if (!session.hint) return "null";
    return JsonObject()
        .Field("x", session.hint->x)
        .Field("y", session.hint->y)
        .Field("move", std::string_view(session.hint->move))
        .Close();
}

// "normal-4297", or null on the menu and for a board whose seed is not known.
std::string GameIdJson(const Session& session) {
    const std::string id = GameIdOf(session.game);
    return id.empty() ? "null" : "\"" + id + "\"";
}

// A figure rounded to `places` decimals, with no trailing zeros; null when there is none.
std::string FigureJson(const std::optional<double>& value, int places) {
    if (!value) return "null";
    std::string decimal = Decimal(*value, places);
    if (decimal.find('.') == std::string::npos) return decimal;
    while (decimal.back() == '0') decimal.pop_back();
    if (decimal.back() == '.') decimal.pop_back();
    return decimal;
}

std::string FiguresJson(const Figures& figures, int places) {
    JsonObject object;
    object.Object("best", FigureJson(figures.best, places)).Object("mean", FigureJson(figures.mean, places));
    for (std::size_t i = 0; i < AVERAGE_WINDOWS.size(); ++i)
        object.Object("ao" + std::to_string(AVERAGE_WINDOWS[i]), FigureJson(figures.current[i], places));
    for (std::size_t i = 0; i < AVERAGE_WINDOWS.size(); ++i)
        object.Object("bestAo" + std::to_string(AVERAGE_WINDOWS[i]),
                      FigureJson(figures.bestAverage[i], places));
    return object.Close();
}

}  // namespace

std::string StatsJson(const Session& session) {
    JsonObject stats;
    for (const Puzzle* puzzle : Puzzles()) {
        const std::string name = GameIdName(*puzzle);
        const auto solves = session.solveLog.find(name);
        const auto record = session.records.find(name);
        if (solves == session.solveLog.end() && record == session.records.end()) continue;
        const PuzzleStats figures =
            StatsOf(solves == session.solveLog.end() ? std::span<const LoggedSolve>{} : solves->second,
                    record == session.records.end() ? nullptr : &record->second);
        stats.Object(name, JsonObject()
                               .Field("solves", figures.solves)
                               .Field("hinted", figures.hinted)
                               .Object("time", FiguresJson(figures.time, 0))
                               .Object("moves", FiguresJson(figures.moves, 2))
                               .Object("movesPerSecond", FigureJson(figures.movesPerSecond, 2))
                               .Close());
    }
    return stats.Close();
}

std::string StateJson(const Session& session, long line, std::string_view command, int presents,
                      std::string_view said, const Extras& extras) {
    const Game& game = session.game;
    const std::string saidEscaped = Escaped(said);
    JsonObject record;
    record.Field("line", line)
        .Field("command", command)
        .Field("screen", game.screen)
        .Field("screenAtTap", game.screenAtTap)
        .Field("solved", game.solved)
        .Field("tapActed", game.tapActed)
        .Field("splashPending", game.splashPending)
        .Field("tapX", game.tapX)
        .Field("tapY", game.tapY)
        .Field("bannerY", game.bannerY)
        .Object("tileGrid", GridJson(game.tileGrid, "tile", game.tileGrid.tile))
        .Object("lightGrid", GridJson(game.lightGrid, "lit", game.lightGrid.lit))
        .Field("fixedColumn", game.fixedColumn)
        .Field("fixedRow", game.fixedRow)
        .Field("blankCol", game.blankCol)
        .Field("blankRow", game.blankRow)
        .Field("presents", presents)
        .Field("undo", UndoCount(session.history))
        .Field("redo", RedoCount(session.history))
        .Object("cursor", CursorJson(session))
        .Field("grabbed", session.cursor.grabbed ? 1 : 0)
        .Object("hint", HintJson(session))
        .Field("moves", MoveCount(session))
        .Field("time", ElapsedMs(session))
        .Object("gameId", GameIdJson(session))
        .Field("said", std::string_view(saidEscaped));
    if (extras.solve) record.Field("solve", std::string_view(*extras.solve));
    if (const auto& link = extras.solveLink)
        record.Object("solveLink", link->empty() ? "null" : "\"" + *link + "\"");
    if (extras.watched) record.Object("watched", *extras.watched);
    if (extras.stats) record.Object("stats", *extras.stats);
    return record.Close();
}

std::string WatchedJson(const Session& watched) {
    return JsonObject()
        .Field("moves", MoveCount(watched))
        .Field("time", ElapsedMs(watched))
        .Object("gameId", GameIdJson(watched))
        .Close();
}

}  // namespace tessel::replay
