#include "hints/line_tables.h"

#include <map>
#include <memory>

namespace tessel {

namespace {

constexpr int32_t PlaceColumn(uint8_t place) {
    return place % 4;
}
constexpr int32_t PlaceSlot(uint8_t place) {
    return place / 4;
}
constexpr uint8_t Place(int32_t column, int32_t slot) {
    return static_cast<uint8_t>(slot * 4 + column);
}

using GroupPlaces = std::array<uint8_t, 4>;

// Makes the move on the four tiles' places and the gaps, or says that the rules refuse it here. Columns
// are counted from 0 here, rows from 1 as on the board.
bool MoveGroup(const LineRules& rules, int32_t move, int32_t& gaps, GroupPlaces& places) {
    if (rules.locked[move]) return false;
    const ShiftDirection direction = MoveDirection(move);
    const int32_t line = MoveLine(move);
    const int32_t column = line - 1;
    if (rules.kind == LineRules::Kind::Gapped) {
        // A slide moves a column into its gap: every tile keeps its slot.
        const int32_t bit = 1 << column;
        if (direction == ShiftDirection::Up || direction == ShiftDirection::Down) {
            if (((gaps & bit) != 0) != (direction == ShiftDirection::Up)) return false;
            gaps ^= bit;
            return true;
        }
        if (line == 1) return false;
        const auto down = [&](int32_t col) { return (gaps >> col) & 1; };
        const int32_t step = direction == ShiftDirection::Right ? 1 : 3;
        for (uint8_t& place : places) {
            const int32_t col = PlaceColumn(place);
            if (PlaceSlot(place) + 1 + down(col) != line) continue;
            const int32_t to = (col + step) % 4;
            place = Place(to, line - 1 - down(to));
        }
        return true;
    }
    const int32_t step = direction == ShiftDirection::Up || direction == ShiftDirection::Left ? 3 : 1;
    for (uint8_t& place : places) {
        if (IsColumnShift(direction)) {
            if (PlaceColumn(place) == column) place = Place(column, (PlaceSlot(place) + step) % 4);
        } else if (PlaceSlot(place) == line - 1) {
            place = Place((PlaceColumn(place) + step) % 4, line - 1);
        }
    }
    return true;
}

int32_t Index(int32_t gaps, const GroupPlaces& places) {
    int32_t index = gaps;
    for (const uint8_t place : places) index = index << 4 | place;
    return index;
}

// Breadth first from the goal: the rules allow each move's opposite wherever the move leads, so the
// moves from the goal count the moves to it.
std::vector<int8_t> MakeGroupTable(const LineRules& rules, int32_t group) {
    const bool gapped = rules.kind == LineRules::Kind::Gapped;
    std::vector<int8_t> moves(std::size_t{1} << (gapped ? 20 : 16), -1);
    std::vector<int32_t> queue;
    GroupPlaces goal{};
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t tile = GroupTile(group, k);
        goal[k] = Place((tile - 1) % 4, (tile - 1) / 4);
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
            if (!MoveGroup(rules, move, gaps, places)) continue;
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
    for (const LineLookup& lookup : LineLookups(rules)) {
        std::vector<int8_t>& table = tables.moves[lookup.table];
        if (table.empty()) table = MakeGroupTable(rules, lookup.table);
    }
    return tables;
}

}  // namespace

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
