#include "game/kept_game.h"

#include <algorithm>
#include <array>
#include <memory>
#include <type_traits>

#include "game/invariants.h"

namespace tessel {

namespace {

// "TKG" and the version; every field after it unsigned, little-endian, in a fixed width.
constexpr std::array<uint8_t, 3> MAGIC{'T', 'K', 'G'};
constexpr std::size_t HEADER_SIZE = MAGIC.size() + 1;

// Every field kept, in order, with its width in bytes. Kept: the screen and everything its next tap reads
// (the boards with their rings, the cells' positions, the fixed and empty cells, the banner and its flag,
// the last tap and what it did), both grids whatever the screen, since the next puzzle set-up starts from
// what the last one left, and the generator's state, which the next "Unmovable" draws from before seeding.
// Not kept: splashPending and drainTaps, which belong to a start rather than to the game: every start
// shows the splash and drains the taps made during it, whatever game it then shows.
template <typename Record, typename Random, typename Visit>
void VisitKeptFields(Record& game, Random& randomState, Visit&& visit) {
    visit(game.screen, 1);
    visit(game.screenAtTap, 1);
    visit(game.solved, 1);
    visit(game.tapActed, 1);
    visit(game.tapX, 2);
    visit(game.tapY, 2);
    for (auto& y : game.bannerY) visit(y, 2);
    for (auto& tile : game.tileGrid.tile) visit(tile, 1);
    for (auto& left : game.tileGrid.cellLeft) visit(left, 2);
    for (auto& top : game.tileGrid.cellTop) visit(top, 2);
    for (auto& lit : game.lightGrid.lit) visit(lit, 1);
    for (auto& left : game.lightGrid.cellLeft) visit(left, 2);
    for (auto& top : game.lightGrid.cellTop) visit(top, 2);
    visit(game.fixedColumn, 1);
    visit(game.fixedRow, 1);
    visit(game.blankCol, 1);
    visit(game.blankRow, 1);
    visit(randomState, 4);
}

// Decodes the fields after the header. Every value fits its field; whether it makes sense is for the
// record's check to say.
void Decode(std::span<const uint8_t> bytes, Game& game, uint32_t& randomState) {
    std::size_t at = HEADER_SIZE;
    VisitKeptFields(game, randomState, [&](auto& field, int width) {
        uint32_t value = 0;
        for (int i = 0; i < width; ++i) value |= uint32_t{bytes[at++]} << (8 * i);
        field = static_cast<std::remove_reference_t<decltype(field)>>(value);
    });
}

}  // namespace

std::vector<uint8_t> KeepGame(const Game& game, uint32_t randomState) {
    std::vector<uint8_t> bytes(MAGIC.begin(), MAGIC.end());
    bytes.push_back(KEPT_GAME_VERSION);
    VisitKeptFields(game, randomState, [&](auto field, int width) {
        const auto value = static_cast<uint32_t>(field);
        for (int i = 0; i < width; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    });
    return bytes;
}

bool ReadKeptGame(std::span<const uint8_t> bytes, Game& game, uint32_t& randomState) {
    if (bytes.size() != KEPT_GAME_SIZE || !std::equal(MAGIC.begin(), MAGIC.end(), bytes.begin()) ||
        bytes[MAGIC.size()] != KEPT_GAME_VERSION)
        return false;
    // Decoded into a record of its own and checked whole before the game is touched. The check reads only
    // the kept fields and the two start-up flags, which are the game's own.
    auto read = std::make_unique<Game>();
    read->splashPending = game.splashPending;
    read->drainTaps = game.drainTaps;
    uint32_t readRandom = 0;
    Decode(bytes, *read, readRandom);
    if (!BrokenInvariant(*read).empty()) return false;
    Decode(bytes, game, randomState);
    return true;
}

}  // namespace tessel
