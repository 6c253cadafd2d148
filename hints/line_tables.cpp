#include "hints/line_tables.h"

#include <map>
#include <memory>

namespace tessel {

namespace {

using GroupPlaces = std::array<uint8_t, 4>;

// A place from a cell and back: a column that is down holds its tiles one row lower.
constexpr int32_t Down(int32_t gaps, int32_t cell) {
    return (gaps >> (cell % 4)) & 1;
}

// Makes the move on the four tiles' places and the gaps, or says that the rules refuse it here.
bool MoveGroup(const LineRules& rules, const MoveCycles& cycles, int32_t move, int32_t& gaps,
               GroupPlaces& places) {
    if (!LineMoveAllowed(rules, gaps, move)) return false;
    int32_t after = gaps;
    if (rules.kind == LineRules::Kind::Gapped && IsColumnShift(MoveDirection(move)))
        after ^= 1 << (MoveLine(move) - 1);
    const auto& cycle = cycles.cycle[move];
    const int32_t length = cycles.length[move];
    for (uint8_t& place : places) {
        int32_t cell = place + 4 * Down(gaps, place);
        for (int32_t i = 0; i < length; ++i) {
            if (cycle[i] == cell) {
                cell = cycle[(i + 1) % length];
                break;
            }
        }
        place = static_cast<uint8_t>(cell - 4 * Down(after, cell));
    }
    gaps = after;
    return true;
}

int32_t Index(int32_t gaps, const GroupPlaces& places) {
    int32_t index = gaps;
    for (const uint8_t place : places) index = index << 4 | place;
    return index;
}

// Breadth first from the goal: the rules allow each move's opposite wherever the move leads, so the
// moves from the goal count the moves to it.
std::vector<int8_t> MakeGroupTable(const LineRules& rules, const MoveCycles& cycles, int32_t group) {
    const bool gapped = rules.kind == LineRules::Kind::Gapped;
    std::vector<int8_t> moves(std::size_t{1} << (gapped ? 20 : 16), -1);
    std::vector<int32_t> queue;
    GroupPlaces goal{};
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t tile = GroupTile(group, k);
        goal[k] = static_cast<uint8_t>(tile - 1);
    }
    queue.push_back(Index(0, goal));
    moves[static_cast<std::size_t>(queue.front())] = 0;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int32_t index = queue[head];
        const auto next = static_cast<int8_t>(moves[static_cast<std::size_t>(index)] + 1);
        GroupPlaces here{};
        for (int32_t k = 0; k < 4; ++k) here[k] = static_cast<uint8_t>((index >> (12 - 4 * k)) & 15);
        for (int32_t move = 0; move < LINE_MOVES; ++move) {
            int32_t gaps = index >> 16;
            GroupPlaces places = here;
            if (!MoveGroup(rules, cycles, move, gaps, places)) continue;
            const int32_t to = Index(gaps, places);
            int8_t& entry = moves[static_cast<std::size_t>(to)];
            if (entry >= 0) continue;
            entry = next;
            queue.push_back(to);
        }
    }
    return moves;
}

LineTables MakeLineTables(const LineRules& rules) {
    LineTables tables;
    const MoveCycles cycles = MakeMoveCycles(rules);
    for (const LineLookup& lookup : LineLookups(rules)) {
        std::vector<int8_t>& table = tables.moves[lookup.table];
        if (table.empty()) table = MakeGroupTable(rules, cycles, lookup.table);
    }
    return tables;
}

}  // namespace

MoveCycles MakeMoveCycles(const LineRules& rules) {
    MoveCycles moves;
    for (int32_t move = 0; move < LINE_MOVES; ++move) {
        const ShiftDirection direction = MoveDirection(move);
        const int32_t line = MoveLine(move);
        const int32_t count = IsColumnShift(direction) ? LineRows(rules) : 4;
        moves.length[move] = count;
        for (int32_t i = 0; i < count; ++i) {
            // Up and left go from the far end toward the near one.
            const bool back = direction == ShiftDirection::Up || direction == ShiftDirection::Left;
            const int32_t k = back ? count - i : i + 1;
            const int32_t cell = IsColumnShift(direction) ? (k - 1) * 4 + line - 1 : (line - 1) * 4 + k - 1;
            moves.cycle[move][i] = static_cast<uint8_t>(cell);
        }
    }
    return moves;
}

LineLookups::LineLookups(const LineRules& rules) {
    if (rules.kind == LineRules::Kind::Gapped) {
        for (int32_t shift = 0; shift < 4; ++shift) lookups_[count_++] = {4 + shift, 4, shift};
        return;
    }
    for (int32_t group = 0; group < LINE_GROUPS; ++group) lookups_[count_++] = {group, group, 0};
}

const LineTables& LineTablesFor(const LineRules& rules) {
    static std::map<std::array<int32_t, 2>, std::unique_ptr<LineTables>> tables;
    std::array<int32_t, 2> id{rules.kind == LineRules::Kind::Gapped ? 1 : 0, 0};
    for (int32_t move = 0; move < LINE_MOVES; ++move) id[1] |= rules.locked[move] ? 1 << move : 0;
    std::unique_ptr<LineTables>& found = tables[id];
    if (!found) found = std::make_unique<LineTables>(MakeLineTables(rules));
    return *found;
}

}  // namespace tessel
