// The keyboard beside a pointer, on every puzzle of the table: generated keys on a session and, on a second
// game, the taps they stand for, where each puzzle's entry puts them. Checked here is what a player notices:
// the very frames of the pointer's taps, the cursor's place and outline, the tile travelling with the key,
// and the cursor's reach over the whole board.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "game/keys.h"
#include "game/session.h"
#include "hints/hint.h"
#include "tests/test_support.h"

namespace tessel {
namespace {

using namespace testing;

// Key names as the front ends pass them on (the arrows in ShiftDirection's order); the last two no key.
const char* const NAMES[] = {"Up", "Right", "Down", "Left", "Enter", "Space", "Escape", "Tab", "Shift+Up"};

// The cursor's outline: round the menu's label, or the entry's box.
Outline BoxOf(const Game& game, const Cursor& c) {
    const Puzzle* p = FindPuzzle(game.screen);
    const PuzzleLabel& l = Puzzles()[p ? 0 : static_cast<std::size_t>(c.row)]->label;
    return p ? p->cursorBox(game, c.col, c.row) : Outline{l.x, l.y, l.width, LABEL_HEIGHT};
}

// Draws an outline over the picture: two black bands and a white line inside them; three black bands while
// the cursor holds its lines.
void DrawOutline(BackBuffer& picture, const Outline& o, bool heavy) {
    for (int32_t dy = 0; dy < o.height; ++dy)
        for (int32_t dx = 0; dx < o.width; ++dx) {
            const int32_t band = std::min({dx, dy, o.width - 1 - dx, o.height - 1 - dy});
            uint32_t& pixel = picture.pixels.at((o.top + dy) * SURFACE_WIDTH + o.left + dx);
            if (band <= 2 + heavy) pixel = band < 2 + heavy ? 0xFF000000u : WHITE;
        }
}

// What key k (arrows 0 to 3, with Shift 4 to 7, Enter, Space, Escape; -1 none) does by the entry's rules:
// the pointer's tap it stands for, and the cursor after it should the tap act; or the cursor shown anew;
// or nothing, the cursor as it was (`acts`: the cursor shown anew; `slides`: should the board move, the tile
// at cell `from` goes to `to`).
struct Expected {
    std::optional<Point> tap;
    Cursor cursor;
    bool acts = false, slides = false;
    Point from{}, to{};
};
Expected Expect(const Game& game, const Cursor& c, int32_t k) {
    const Puzzle* p = FindPuzzle(game.screen);
    const auto all = Puzzles();
    const CellRange r = p ? p->cursorRange : CellRange{0, 0, 0, static_cast<int32_t>(all.size()) - 1};
    const bool press = k == 8 || k == 9, escape = k == 10, column = k % 2 == 0;
    const bool shift = k >= 0 && k < 8 && (k >= 4 || c.grabbed) && p && p->arrowCell;
    const auto way = static_cast<ShiftDirection>(k % 4);
    const int32_t d = k % 4 == 1 || k % 4 == 2 ? 1 : -1;  // the arrow's step along its row or column
    const Cursor onMenu{c.shown, 0, static_cast<int32_t>(std::find(all.begin(), all.end(), p) - all.begin())};
    if (k < 0 || game.splashPending != 0 || (escape && !p)) return {{}, c};
    if (p && (game.solved != 0 || (escape && !c.grabbed)))  // Quit, or nothing on a solved board
        return press || escape ? Expected{Point{119, 237}, onMenu} : Expected{{}, c};
    if (r.IsEmpty()) {  // the arrows play without a cursor, the tile tapped going that way
        if (k >= 4) return {{}, c};
        const Point at = p->arrowKeyAt(game, way), from{(at.x - p->origin.x) / 24, (at.y - p->origin.y) / 24};
        return {at, c, false, true, from, column ? Point{from.x, from.y + d} : Point{from.x + d, from.y}};
    }
    // Escape lets go; the first key shows the cursor; Enter and Space take hold or let go on line puzzles.
    if (escape || !c.shown || (press && p && !p->pressAt))
        return {{}, {true, c.col, c.row, !escape && c.shown && !c.grabbed}, true};
    if (press) {  // the outline's middle; from a label, onto the first cell of its puzzle's range
        const Outline o = BoxOf(game, c);
        const CellRange& f = all[p ? 0 : static_cast<std::size_t>(c.row)]->cursorRange;
        const Cursor onto = p ? c : Cursor{!f.IsEmpty(), f.colMin, f.rowMin, false};
        return {Point{o.left + o.width / 2, o.top + o.height / 2}, onto};
    }
    if (k >= 4 && !shift) return {{}, c};
    Cursor to = c;  // one cell that way: round the line on a shift, along a sliding column no further
    int32_t& at = column ? to.row : to.col;
    const int32_t lo = column ? r.rowMin : r.colMin, hi = column ? r.rowMax : r.colMax, n = hi - lo + 1;
    at = shift && !(column && p->columnsSlide) ? (at - lo + d + n) % n + lo : std::clamp(at + d, lo, hi);
    if (!shift) return {{}, to, true};
    const Point arrow = ArrowTap(*p, game.tileGrid, way, column ? c.col : c.row);
    return {arrow, to, false, true, {c.col, c.row}, {to.col, to.row}};
}

// Thousands of keys by name, Shift with some (with a key other than an arrow it makes none), and now and then
// a pointer's tap (a hint's, at times all the way to the solved board; on the menu, a label's): every key
// shows the frames its tap shows on a game played by taps alone, the last with the cursor's outline.
TEST(Keys, GeneratedKeysPlayAsTheTapsTheyStandFor) {
    std::mt19937 random(77);
    std::set<int32_t> screensSeen;
    int solvedSeen = 0, grabbedSeen = 0;
    for (int run = 0; run < 25; ++run) {
        auto keyed = NewSession();
        auto tapped = NewGame();
        keyed->game.splashPending = tapped->splashPending = 1;
        bool solving = false;
        for (int i = 0; i < 400; ++i) {
            SCOPED_TRACE(::testing::Message() << "run " << run << ", step " << i);
            if (i == 3) keyed->game.splashPending = tapped->splashPending = 0;
            keyed->game.now = tapped->now = random();
            const int32_t roll = static_cast<int32_t>(random() % 64), screen = tapped->screen;
            const Cursor before = keyed->cursor;
            const TileGrid grid = tapped->tileGrid;
            const tessel::Board board = TakeBoard(*tapped);
            const std::optional<Hint> hint = roll == 0 || solving ? FindHint(*tapped) : std::nullopt;
            solving = hint && (solving || random() % 8 == 0);
            // Escape seldom, so that the puzzles get played; Enter and Space often; now and then no key.
            const int32_t k = roll < 2 ? -1 : roll < 4 ? 10 : roll < 12 ? 8 + roll % 2 : roll % 8;
            const int32_t name = k >= 8 ? k - 4 : k >= 0 ? k % 4 : 4 + static_cast<int32_t>(random() % 5);
            const bool shift = (k >= 4 && k < 8) || (k < 0 && (name < 7 || random() % 2 == 1));
            const bool label = roll < 2 && screen == SCREEN_MENU && tapped->splashPending == 0;
            Expected e = Expect(*tapped, before, k);
            if (label) e = Expect(*tapped, {true, 0, static_cast<int32_t>(random() % Puzzles().size())}, 8);
            if (hint) e = {Point{hint->x, hint->y}, before};
            const bool pointer = hint || label;  // a pointer's tap hides the cursor and lets go
            if (pointer) e.cursor.shown = e.cursor.grabbed = false, Tap(*keyed, e.tap->x, e.tap->y);
            if (const auto key = KeyPressed(NAMES[name], shift); key && !pointer) PressKey(*keyed, *key);
            std::vector<BackBuffer> keyFrames = std::exchange(Platform().presented, {}), tapFrames;
            if (e.tap) Tap(*tapped, e.tap->x, e.tap->y), tapFrames = std::exchange(Platform().presented, {});
            if (!e.tap && e.acts) tapFrames.push_back(tapped->backBuffer);
            const bool moved = TakeBoard(*tapped) != board;
            if (e.slides && !moved) e.cursor = before;  // a line that cannot shift
            const int32_t tile = grid.Tile(e.from.x, e.from.y);
            const Cursor& c = keyed->cursor;
            ASSERT_TRUE(TakeBoard(keyed->game) == TakeBoard(*tapped) && keyed->game.screen == tapped->screen);
            ASSERT_TRUE(c == e.cursor) << c.shown << c.col << c.row << c.grabbed;
            ASSERT_TRUE(!e.slides || !moved || tile == 0 || tapped->tileGrid.Tile(e.to.x, e.to.y) == tile);
            ASSERT_EQ(keyFrames.size(), tapFrames.size());
            if (c.shown && !tapFrames.empty()) DrawOutline(tapFrames.back(), BoxOf(*tapped, c), c.grabbed);
            for (std::size_t f = 0; f < keyFrames.size(); ++f)
                ASSERT_TRUE(keyFrames[f].pixels == tapFrames[f].pixels) << "frame " << f;
            screensSeen.insert(tapped->screen);
            solvedSeen += tapped->solved, grabbedSeen += c.grabbed;
        }
    }
    EXPECT_EQ(screensSeen.size(), Puzzles().size() + 1) << "some screen was never reached";
    EXPECT_GT(solvedSeen, 0);
    EXPECT_GT(grabbedSeen, 100);
}

// Where a puzzle has a cursor, its outlines over the range cover the board exactly: every tile, gap and light
// the board's description names, and nothing beside them.
TEST(Keys, TheCursorsOutlinesCoverTheBoard) {
    auto game = NewGame();
    for (const Puzzle* p : Puzzles()) {
        ChoosePuzzle(*game, p->label);
        std::set<std::pair<int32_t, int32_t>> board, outlined;  // the middles of the cells
        for (const BoardCell& cell : p->describeBoard(*game).cells) {
            const BoardWords::Kind kind = cell.name.kind;
            if ((kind >= BoardWords::TILE && kind <= BoardWords::GAP) || kind == BoardWords::LIGHT_ON ||
                kind == BoardWords::LIGHT_OFF)
                board.insert({cell.x + 12, cell.y + 12});
        }
        const CellRange& r = p->cursorRange;
        for (int32_t col = r.colMin; col <= r.colMax; ++col)
            for (int32_t row = r.rowMin; row <= r.rowMax; ++row) {
                const Outline o = BoxOf(*game, {true, col, row, false});
                for (int32_t y = o.top + 12; y < o.top + o.height; y += 24)
                    for (int32_t x = o.left + 12; x < o.left + o.width; x += 24) outlined.insert({x, y});
            }
        EXPECT_TRUE(r.IsEmpty() || board == outlined) << p->name;
    }
}

}  // namespace
}  // namespace tessel
