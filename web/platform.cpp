// The browser's front end: the game in play, its pictures handed to the page, and the functions the page
// calls.
//
// A page cannot show a picture in the middle of a call: whatever it draws appears once control returns to
// the browser. So the game's presenter hands the page a copy of the back buffer, and the page shows the
// copies one per display frame, in order (web/tessel.js). The splash is timed by the page; its pictures are
// made here.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/game.h"
#include "core/splash.h"
#include "game/accessible_screen.h"
#include "game/catalogue.h"
#include "game/day_board.h"
#include "game/decimal.h"
#include "game/drag.h"
#include "game/game_id.h"
#include "game/how_to_play.h"
#include "game/kept_game.h"
#include "game/keys.h"
#include "game/languages.h"
#include "game/picture_place.h"
#include "game/records.h"
#include "game/records_store.h"
#include "game/screen_text.h"
#include "game/session.h"
#include "game/solve_link.h"
#include "game/solve_log.h"
#include "game/solve_stats.h"
#include "game/splash_end.h"
#include "game/statistics_page.h"
#include "game/tap_cycle.h"
#include "game/watch.h"
#include "hints/hint.h"
#include "hints/shown_hint.h"

namespace tessel {

namespace {

// The game in play and its pictures live as long as the page. Every call from the page comes through
// here, which stores the moment of the call in the record first: milliseconds since the page started, cut
// to 32 bits like the desktop's, which the game's time and a new deal read; and the wall clock, which dates
// a solve.
Session& TheSession() {
    static Session session;
    session.game.now = static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
    session.utcNow = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    return session;
}
Game& TheGame() {
    return TheSession().game;
}

// A solve being watched in place of the game in play (game/watch.h), or none. While there is one, the
// page is shown its pictures, its words and where it stands; the game in play takes no taps, keys or
// commands and its clock stands.
std::unique_ptr<Watch>& TheWatch() {
    static std::unique_ptr<Watch> watch;
    return watch;
}
// The session whose picture is shown.
Session& ShownSession() {
    return TheWatch() ? TheWatch()->session : TheSession();
}
// Whether the page holds the game's clock (hidden, or held sideways), apart from any watching.
bool& PageHeldClock() {
    static bool held = false;
    return held;
}
void UpdateClockHold() {
    HoldClock(TheSession(), PageHeldClock() || TheWatch() != nullptr);
}
// Says where the watching stands, as the words of what was played last.
void SayWatching() {
    if (TheWatch()) TheWatch()->session.played.words = WatchText(*TheWatch());
}
void StopWatching() {
    if (!TheWatch()) return;
    TheWatch().reset();
    UpdateClockHold();
    PresentNow(TheGame());
}
// Whether a tap or a press goes to the game in play: not while watching, when a tap after the watching's
// end stops it.
bool TakesTapWhileWatching() {
    if (!TheWatch()) return true;
    if (WatchEnded(*TheWatch())) StopWatching();
    return false;
}

// Canvas pixels are bytes R, G, B, A; the game's are 0xFFRRGGBB words.
using RgbaPicture = std::array<uint32_t, SURFACE_WIDTH * SURFACE_HEIGHT>;

// A rectangle of the picture; right and bottom lie outside it.
struct Part {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Where `now` differs from `was`: the smallest rectangle round every differing pixel, empty when none.
Part ChangedPart(const BackBuffer& was, const BackBuffer& now) {
    const auto differsAt = [&](int32_t x, int32_t y) {
        const auto i = static_cast<std::size_t>(y * SURFACE_WIDTH + x);
        return was.pixels[i] != now.pixels[i];
    };
    const auto rowDiffers = [&](int32_t y) {
        for (int32_t x = 0; x < SURFACE_WIDTH; ++x) {
            if (differsAt(x, y)) return true;
        }
        return false;
    };
    Part part{SURFACE_WIDTH, 0, 0, SURFACE_HEIGHT};
    while (part.top < SURFACE_HEIGHT && !rowDiffers(part.top)) ++part.top;
    if (part.top == SURFACE_HEIGHT) return {};
    while (!rowDiffers(part.bottom - 1)) --part.bottom;
    for (int32_t y = part.top; y < part.bottom; ++y) {
        for (int32_t x = 0; x < part.left; ++x) {
            if (differsAt(x, y)) part.left = x;
        }
        for (int32_t x = SURFACE_WIDTH - 1; x >= part.right; --x) {
            if (differsAt(x, y)) part.right = x + 1;
        }
    }
    return part;
}

// Hands the page the part of the picture that changed, row by row (Module.queuePicture, given when the page
// creates the module), which copies it before this returns; a picture like the last comes as an empty part.
EM_JS(void, QueuePicture, (const uint32_t* rgba, int32_t left, int32_t top, int32_t width, int32_t height),
      { Module.queuePicture(HEAPU8.subarray(rgba, rgba + width * height * 4), left, top, width, height); });

// The page keeps every picture on its screen: each new one is compared with the last one handed over and
// only what changed goes, so that a line following the pointer costs its own band of the board, not the
// whole picture.
void Queue(const BackBuffer& buffer) {
    static BackBuffer handed;
    static bool anyHanded = false;
    static RgbaPicture rgba;
    const Part part = anyHanded ? ChangedPart(handed, buffer) : Part{0, 0, SURFACE_WIDTH, SURFACE_HEIGHT};
    anyHanded = true;
    std::size_t next = 0;
    for (int32_t y = part.top; y < part.bottom; ++y) {
        for (int32_t x = part.left; x < part.right; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * SURFACE_WIDTH + x);
            const uint32_t pixel = buffer.pixels[i];
            handed.pixels[i] = pixel;
            rgba[next++] = 0xFF000000u | (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
        }
    }
    QueuePicture(rgba.data(), part.left, part.top, part.right - part.left, part.bottom - part.top);
}

constexpr std::size_t TEXT_SIZE = 4096;
std::array<char, TEXT_SIZE>& TextBuffer() {
    static std::array<char, TEXT_SIZE> buffer;
    return buffer;
}

// The `size` bytes the page wrote into the text buffer.
std::string_view TextWritten(int32_t size) {
    return {TextBuffer().data(), static_cast<std::size_t>(std::clamp<int32_t>(size, 0, TEXT_SIZE))};
}

// The text copied into the text buffer, ended by a 0, for the page to read.
const char* Answer(const std::string& text) {
    const std::size_t size = std::min(text.size(), TEXT_SIZE - 1);
    std::copy_n(text.begin(), size, TextBuffer().begin());
    TextBuffer()[size] = '\0';
    return TextBuffer().data();
}

// The page's words, by the names its elements (data-words in index.html) and its script ask for; a label
// whose argument is the game's own (the version) has it here.
struct PageWords {
    std::string_view name;
    const Message* message;
    const char* argument = "";
};
constexpr auto PAGE_WORDS = std::to_array<PageWords>({
    {"app-name", &msg::APP_NAME},
    {"tools", &msg::TOOLS_MENU},
    {"undo", &msg::MENU_UNDO},
    {"redo", &msg::MENU_REDO},
    {"hint", &msg::MENU_HINT},
    {"look", &msg::MENU_LOOK},
    {"share", &msg::MENU_SHARE},
    {"about", &msg::MENU_ABOUT},
    {"about-title", &msg::ABOUT_TITLE},
    {"about-version", &msg::ABOUT_VERSION, msg::SHOWN_VERSION},
    {"about-tagline", &msg::ABOUT_TAGLINE},
    {"about-how-to", &msg::ABOUT_HOW_TO},
    {"ok", &msg::OK},
    {"statistics", &msg::MENU_STATISTICS},
    {"statistics-title", &msg::STATS_TITLE},
    {"statistics-clear-question", &msg::STATS_CLEAR_QUESTION},
    {"solves-not-kept", &msg::SOLVES_NOT_KEPT_PAGE},
    {"landscape", &msg::LANDSCAPE},
    {"no-board-to-share", &msg::NO_BOARD_TO_SHARE},
    {"shared-board", &msg::SHARED_BOARD},
    {"link-copied", &msg::LINK_COPIED},
    {"board-link", &msg::BOARD_LINK},
    {"replace-game", &msg::REPLACE_GAME},
    {"language", &msg::LANGUAGE_MENU},
    {"language-system", &msg::LANGUAGE_AS_THE_SYSTEM},
    {"how-to-play", &msg::HOW_TO_PLAY},
    {"share-solve", &msg::MENU_SHARE_SOLVE},
    {"watch-solve", &msg::MENU_WATCH_SOLVE},
    {"todays-board", &msg::MENU_TODAYS_BOARD},
    {"share-result", &msg::MENU_SHARE_RESULT},
    {"watching", &msg::MENU_WATCHING},
    {"watch-pause", &msg::WATCH_PAUSE},
    {"watch-play-on", &msg::WATCH_PLAY_ON},
    {"watch-step", &msg::WATCH_STEP},
    {"watch-own-pace", &msg::WATCH_OWN_PACE},
    {"watch-twice", &msg::WATCH_TWICE},
    {"watch-four-times", &msg::WATCH_FOUR_TIMES},
    {"watch-stop", &msg::WATCH_STOP},
    {"solve-title", &msg::SOLVE_TITLE},
    {"ask-solve-link", &msg::ASK_SOLVE_LINK},
    {"result-title", &msg::RESULT_TITLE},
    {"result-copied", &msg::RESULT_COPIED},
    {"shared-solve", &msg::SHARED_SOLVE},
    {"cancel", &msg::CANCEL},
});

// Digits only, within 18 of them: a number; none otherwise. Read by from_chars, since std::stoll would bring
// printf into the module.
std::optional<int64_t> Number(std::string_view word) {
    int64_t value = 0;
    if (word.empty() || word.size() > 18 ||
        !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::from_chars(word.data(), word.data() + word.size(), value);
    return value;
}

// The page's words named on the text's first line, with the lines after it as their arguments (digits a
// number); empty for a name the page has no words by.
std::string SayPageWords(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    const auto words = std::find_if(PAGE_WORDS.begin(), PAGE_WORDS.end(),
                                    [&](const PageWords& entry) { return entry.name == lines.front(); });
    if (words == PAGE_WORDS.end()) return {};
    std::vector<Arg> args;
    if (lines.size() == 1 && *words->argument != '\0') args.emplace_back(words->argument);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (const std::optional<int64_t> number = Number(lines[i]))
            args.emplace_back(*number);
        else
            args.emplace_back(lines[i]);
    }
    return SayWith(*words->message, args);
}

const char* RecordsAnswer(RecordsStep step, int32_t size) {
    std::optional<std::string_view> stored;
    if (size >= 0) stored = TextWritten(size);
    const RecordsToStore store = KeepRecords(TheSession(), step, stored);
    return Answer(std::string(store.setAside ? "s" : "") + (store.write ? "w" + *store.write : "") +
                  (store.remove ? "r" : ""));
}

// The log of solves and the statistics outgrow the text buffer: they go both ways through this text, the
// page writing the stored log into it and reading the answers from it.
std::string& LongText() {
    static std::string text;
    return text;
}
const char* LongAnswer(std::string text) {
    LongText() = std::move(text);
    return LongText().c_str();
}

const char* SolvesAnswer(RecordsStep step, int32_t size) {
    std::optional<std::string_view> stored;
    if (size >= 0) stored = std::string_view(LongText()).substr(0, static_cast<std::size_t>(size));
    const RecordsToStore store = KeepSolveLog(TheSession(), step, stored);
    return LongAnswer(std::string(store.setAside ? "s" : "") + (store.write ? "w" + *store.write : "") +
                      (store.remove ? "r" : ""));
}

// A text as a JSON string.
std::string Json(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static constexpr char HEX[] = "0123456789abcdef";
            json += "\\u00";
            json += HEX[(c >> 4) & 0xF];
            json += HEX[c & 0xF];
        } else {
            json += c;
        }
    }
    return json + "\"";
}
template <typename List, typename Each>
std::string JsonList(const List& list, Each each) {
    std::string json = "[";
    for (const auto& item : list) json += (json.size() > 1 ? "," : "") + each(item);
    return json + "]";
}
std::string JsonNumber(const std::optional<double>& value) {
    return value ? Decimal(*value, 2) : "null";
}
std::string JsonColour(uint32_t argb) {
    std::string text = "\"#";
    for (int shift = 20; shift >= 0; shift -= 4) text += "0123456789abcdef"[(argb >> shift) & 0xF];
    return text + '"';
}

std::string SolveRowsJson(std::span<const SolveRow> rows) {
    return JsonList(rows, [](const SolveRow& row) {
        return "[" + Json(row.when) + "," + Json(row.moves) + "," + Json(row.time) + "," + Json(row.hints) +
               "]";
    });
}

// The statistics of the chooser's puzzle `index` (StatisticsPuzzles), as JSON for web/statistics.js, with
// the table's first `rows` solves (the rest through TesselMoreSolves).
std::string StatisticsJson(std::size_t index, std::size_t rows) {
    const Session& session = TheSession();
    const std::vector<const Puzzle*> puzzles = StatisticsPuzzles(session);
    const StatisticsPage page =
        StatisticsOf(session, *puzzles[std::min(index, puzzles.size() - 1)], session.utcNow, 0, rows);
    const ChartColours& colours = ChartColoursOf(session.game.look);
    const auto text = [](const std::string& words) { return Json(words); };
    std::string json =
        "{\"puzzles\":" + JsonList(puzzles, [](const Puzzle* puzzle) { return Json(PuzzleName(*puzzle)); });
    json += ",\"labels\":{\"puzzle\":" + Json(Say(msg::STATS_PUZZLE)) +
            ",\"watch\":" + Json(Say(msg::STATS_WATCH)) +
            ",\"watchBest\":" + Json(Say(msg::STATS_WATCH_BEST)) +
            ",\"share\":" + Json(Say(msg::STATS_SHARE)) + ",\"export\":" + Json(Say(msg::STATS_EXPORT)) +
            ",\"clear\":" + Json(Say(msg::STATS_CLEAR)) + "}";
    json += ",\"empty\":" + Json(page.empty) + ",\"heads\":" + JsonList(page.heads, text);
    json += ",\"rows\":" + JsonList(page.rows, [](const StatsRow& row) {
                return "[" + Json(row.name) + "," + Json(row.time) + "," + Json(row.moves) + "]";
            });
    json += ",\"sentence\":" + Json(page.sentence);
    const StatsChart& chart = page.chart;
    json += ",\"chart\":{\"times\":" + JsonList(chart.times, [](uint32_t ms) { return std::to_string(ms); });
    json += ",\"ao5\":" + JsonList(chart.ao5, JsonNumber) + ",\"ao12\":" + JsonList(chart.ao12, JsonNumber);
    json += ",\"low\":" + std::to_string(chart.low) + ",\"high\":" + std::to_string(chart.high);
    json += ",\"ticks\":" + JsonList(chart.ticks, [](const std::pair<uint32_t, std::string>& tick) {
                return "[" + std::to_string(tick.first) + "," + Json(tick.second) + "]";
            });
    json += ",\"caption\":" + Json(chart.caption) + ",\"key\":" + JsonList(chart.key, text);
    json += ",\"colours\":{\"ground\":" + JsonColour(colours.ground) +
            ",\"text\":" + JsonColour(colours.text) + ",\"grid\":" + JsonColour(colours.grid) +
            ",\"single\":" + JsonColour(colours.single) + ",\"ao5\":" + JsonColour(colours.ao5) +
            ",\"ao12\":" + JsonColour(colours.ao12) + "}}";
    json += ",\"tableName\":" + Json(page.tableName) + ",\"solveHeads\":" + JsonList(page.solveHeads, text);
    json += ",\"solves\":" + SolveRowsJson(page.solves);
    json += ",\"solveCount\":" + std::to_string(page.solveCount);
    json += ",\"best\":" + (page.best ? std::to_string(*page.best) : std::string("null"));
    json += ",\"day\":" + JsonList(page.day, text) + "}";
    return json;
}

// The link of solve `row` of the chooser's puzzle `index`; empty when there is none.
std::string SolveLinkAt(std::size_t index, std::size_t row) {
    const Session& session = TheSession();
    const std::vector<const Puzzle*> puzzles = StatisticsPuzzles(session);
    if (index >= puzzles.size()) return {};
    const auto found = session.solveLog.find(GameIdName(*puzzles[index]));
    if (found == session.solveLog.end() || row >= found->second.size()) return {};
    return WriteSolveLink(found->second[row]);
}

#ifdef TESSEL_WEB_LANGUAGES
// The bytes of a language's catalogue, as the page fetched them (lang/LL.cat).
std::vector<char>& CatalogueBytes() {
    static std::vector<char> bytes;
    return bytes;
}
#endif

// The game in play's presenter.
void QueueShown(const Game& game, void*) {
    static BackBuffer scratch;
    Queue(PictureShown(game, scratch));
}

}  // namespace

}  // namespace tessel

// What the page calls. Nothing here runs before TesselStart.
extern "C" {

EMSCRIPTEN_KEEPALIVE int32_t TesselWidth() {
    return tessel::SURFACE_WIDTH;
}
EMSCRIPTEN_KEEPALIVE int32_t TesselHeight() {
    return tessel::SURFACE_HEIGHT;
}

// Decodes the images of the look (its number in core/looks.h; others give the classic one) and draws the
// menu into the back buffer; nothing is shown yet.
EMSCRIPTEN_KEEPALIVE void TesselStart(int32_t look) {
    tessel::Game& game = tessel::TheGame();
    game.presenter = {tessel::QueueShown, nullptr};
    if (look >= 0 && look < static_cast<int32_t>(tessel::LOOKS.size()))
        game.look = tessel::LOOKS[static_cast<std::size_t>(look)];
    tessel::PrepareSurfaces(game);
}

// Draws the game in another look from now on, shown at once once the splash is over; other numbers do
// nothing.
EMSCRIPTEN_KEEPALIVE void TesselSetLook(int32_t look) {
    tessel::Game& game = tessel::TheGame();
    if (look < 0 || look >= static_cast<int32_t>(tessel::LOOKS.size())) return;
    tessel::ChangeLook(game, tessel::LOOKS[static_cast<std::size_t>(look)]);
    if (tessel::TheWatch()) tessel::ChangeLook(tessel::TheWatch()->session.game, game.look);
    if (game.splashPending == 0) tessel::PresentNow(tessel::ShownSession().game);
}

EMSCRIPTEN_KEEPALIVE int32_t TesselSplashSteps() {
    return static_cast<int32_t>(tessel::SPLASH_STEPS.size());
}

// Queues the picture of one splash step (its frame on the look's ground) and returns how long it stays.
EMSCRIPTEN_KEEPALIVE uint32_t TesselSplashStep(int32_t step) {
    using namespace tessel;
    static BackBuffer picture;
    if (step < 0 || step >= TesselSplashSteps()) return 0;
    const SplashStep& splash = SPLASH_STEPS[static_cast<std::size_t>(step)];
    ClearBackBuffer(picture, ColoursOf(TheGame().look).ground);
    DrawImage(picture, TheGame().images[splash.frame], SPLASH_X, SPLASH_Y, SPLASH_WIDTH, SPLASH_HEIGHT);
    Queue(picture);
    return splash.waitMs;
}

// The splash is over: the menu takes taps from now on, and the back buffer is shown. The taps queued
// meanwhile are drained (game/splash_end.h): the page asks of each whether it is played, then ends the
// drain.
EMSCRIPTEN_KEEPALIVE void TesselEndSplash() {
    tessel::EndSplash(tessel::TheSession());
    tessel::PresentNow(tessel::TheGame());
}
EMSCRIPTEN_KEEPALIVE int32_t TesselTakesTap() {
    return tessel::TakesTap(tessel::TheSession()) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void TesselEndDrain() {
    tessel::EndDrain(tessel::TheSession());
}

// The page keeps the game in its storage while it is hidden, and brings it back at the next start. Both
// go through this buffer: TesselKeep writes the kept form there, the page writes a stored one there for
// TesselResume.
EMSCRIPTEN_KEEPALIVE uint8_t* TesselKeptBuffer() {
    static std::array<uint8_t, tessel::KEPT_GAME_MAX_SIZE> buffer;
    return buffer.data();
}
EMSCRIPTEN_KEEPALIVE int32_t TesselKeptSize() {
    return static_cast<int32_t>(tessel::KEPT_GAME_MAX_SIZE);
}

// Writes the kept form of the game into the buffer and returns its size; 0 on the menu, where there is
// nothing to come back to.
EMSCRIPTEN_KEEPALIVE int32_t TesselKeep() {
    if (!tessel::KeepsGame(tessel::TheGame())) return 0;
    const std::vector<uint8_t> kept = tessel::KeepGame(tessel::TheSession());
    std::copy(kept.begin(), kept.end(), TesselKeptBuffer());
    return static_cast<int32_t>(kept.size());
}

// Reads the `size` bytes the page wrote into the buffer and draws the screen they keep, to be shown at the
// splash's end. Returns 0, with the game untouched, when they are not a sound kept game of this version.
EMSCRIPTEN_KEEPALIVE int32_t TesselResume(int32_t size) {
    tessel::Game& game = tessel::TheGame();
    if (size < 0 || size > TesselKeptSize()) return 0;
    const std::span kept(TesselKeptBuffer(), static_cast<std::size_t>(size));
    if (!tessel::ReadKeptGame(kept, tessel::TheSession())) return 0;
    tessel::DrawScreen(game);
    return 1;
}

// Where the picture lies on a canvas of `width` x `height` device pixels: centred, at the largest whole
// scale that fits (game/picture_place.h). Device pixels per game pixel, and the left edge.
EMSCRIPTEN_KEEPALIVE int32_t TesselScale(double width, double height) {
    return tessel::PlacePicture(width, height, tessel::PictureAlign::Centre).scale;
}
EMSCRIPTEN_KEEPALIVE int32_t TesselLeft(double width, double height) {
    return tessel::PlacePicture(width, height, tessel::PictureAlign::Centre).left;
}

// The game pixel under a pointer at (x, y) device pixels of such a canvas, as x + 65536 y.
EMSCRIPTEN_KEEPALIVE uint32_t TesselGamePixel(double x, double y, double width, double height) {
    const tessel::TapPoint at =
        tessel::GamePixel(tessel::PlacePicture(width, height, tessel::PictureAlign::Centre), x, y);
    return at.x | static_cast<uint32_t>(at.y) << 16;
}

// One tap at a point of the back buffer, from 0 to 65535 (TesselGamePixel).
EMSCRIPTEN_KEEPALIVE void TesselTap(int32_t x, int32_t y) {
    if (tessel::TakesTapWhileWatching()) tessel::Tap(tessel::TheSession(), x, y);
}

// A finger, a pen or the mouse pressed, moved, let go, or taken away by the system (game/drag.h). The moves
// a drag makes are taps, and said as taps. TesselMove tells the page what to update: 0 nothing (the line
// followed the pointer), 1 a move made with the line still held (its words, the counts, Undo), 2 anything
// else (the board solved, the drag over).
EMSCRIPTEN_KEEPALIVE void TesselPress(int32_t x, int32_t y) {
    if (tessel::TakesTapWhileWatching()) tessel::Press(tessel::TheSession(), x, y);
}
EMSCRIPTEN_KEEPALIVE int32_t TesselMove(int32_t x, int32_t y) {
    const uint32_t moves = tessel::MoveCount(tessel::TheSession());
    const int32_t screen = tessel::TheGame().screen;
    tessel::MovePointer(tessel::TheSession(), x, y);
    const tessel::Session& session = tessel::TheSession();
    if (tessel::MoveCount(session) == moves && session.game.screen == screen) return 0;
    return session.drag && session.drag->col != 0 && session.game.screen == screen ? 1 : 2;
}
EMSCRIPTEN_KEEPALIVE void TesselRelease() {
    tessel::Release(tessel::TheSession());
}
EMSCRIPTEN_KEEPALIVE void TesselCancel() {
    tessel::CancelDrag(tessel::TheSession());
}

// The words of what was played last, handed over once; the screen's text (TesselScreenText) takes them
// otherwise.
EMSCRIPTEN_KEEPALIVE const char* TesselTakePlayedWords() {
    return tessel::Answer(tessel::TakePlayedWords(tessel::ShownSession()));
}

// Take back the last move, and play it again; nothing when there is none or the splash is still to come.
EMSCRIPTEN_KEEPALIVE void TesselUndo() {
    if (!tessel::TheWatch()) tessel::Undo(tessel::TheSession());
}
EMSCRIPTEN_KEEPALIVE void TesselRedo() {
    if (!tessel::TheWatch()) tessel::Redo(tessel::TheSession());
}

// Shows the next move toward the solved board; nothing on the menu, a solved board or during the splash.
EMSCRIPTEN_KEEPALIVE void TesselHint() {
    if (!tessel::TheWatch()) tessel::ShowHint(tessel::TheSession());
}

// Builds the hint tables ahead, `work` placings of them at a time (hints/hint.h); 1 once all are built.
EMSCRIPTEN_KEEPALIVE int TesselBuildHintsAhead(int work) {
    return tessel::BuildHintTablesAhead(work) ? 1 : 0;
}

// Asks for the moves and time, or where the watching stands: the screen text's words say them; nothing
// else changes.
EMSCRIPTEN_KEEPALIVE void TesselInfo() {
    if (tessel::TheWatch())
        tessel::SayWatching();
    else
        tessel::SayMovesAndTime(tessel::TheSession());
}

// Text both ways between the page and the core (TextBuffer): a game ID or the stored records written there
// by the page, and the core's answers read from there.
EMSCRIPTEN_KEEPALIVE char* TesselTextBuffer() {
    return tessel::TextBuffer().data();
}
EMSCRIPTEN_KEEPALIVE int32_t TesselTextSize() {
    return static_cast<int32_t>(tessel::TextBuffer().size());
}

// The moves and time shown under the picture ("23 moves, 1:12"); empty on the menu.
EMSCRIPTEN_KEEPALIVE const char* TesselCounts() {
    const auto& watch = tessel::TheWatch();
    return tessel::Answer(watch ? tessel::WatchText(*watch) : tessel::CountsText(tessel::TheSession()));
}

// The page's words (SayPageWords): the text buffer holds their name and arguments, a line each.
EMSCRIPTEN_KEEPALIVE const char* TesselSay(int32_t size) {
    return tessel::Answer(tessel::SayPageWords(tessel::TextWritten(size)));
}

// ---- The language (web/languages.js). Only tessel-core-languages reads other languages' catalogues.

// The languages besides English, a line each: code, the page's tag, the name in itself and "rtl" for one
// written right to left, separated by tabs; English first, by its name.
EMSCRIPTEN_KEEPALIVE const char* TesselLanguages() {
    std::string lines = std::string("en\ten\t") + std::string(tessel::ENGLISH_NAME) + "\t";
    for (const tessel::Language& language : tessel::LANGUAGES)
        lines += "\n" + std::string(language.code) + "\t" + std::string(language.tag) + "\t" +
                 std::string(language.name) + "\t" + (language.rightToLeft ? "rtl" : "");
    return tessel::Answer(lines);
}

#ifdef TESSEL_WEB_LANGUAGES
// The language the page speaks: the kept choice on the text's first line when it names one, otherwise the
// first of the browser's languages on the lines after it that the game speaks; its code, or "en".
EMSCRIPTEN_KEEPALIVE const char* TesselPickLanguage(int32_t size) {
    const std::string_view text = tessel::TextWritten(size);
    std::vector<std::string> wishes;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        wishes.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (const auto kept = tessel::KeptLanguage(wishes.front())) return tessel::Answer(std::string(*kept));
    wishes.erase(wishes.begin());
    return tessel::Answer(std::string(tessel::LanguageOfWishes(wishes)));
}

EMSCRIPTEN_KEEPALIVE char* TesselCatalogueBuffer(int32_t size) {
    tessel::CatalogueBytes().assign(static_cast<std::size_t>(std::max<int32_t>(size, 0)), '\0');
    return tessel::CatalogueBytes().data();
}

// Speaks the language whose code the text buffer holds, with the catalogue in the catalogue buffer (none
// for English). 0, English and the reason in the text buffer, when the bytes are no catalogue of it.
EMSCRIPTEN_KEEPALIVE int32_t TesselUseLanguage(int32_t size) {
    std::string error;
    const std::string code(tessel::TextWritten(size));
    const bool used =
        tessel::UseLanguage(code, {tessel::CatalogueBytes().data(), tessel::CatalogueBytes().size()}, error);
    tessel::CatalogueBytes() = {};
    tessel::Answer(error);
    return used ? 1 : 0;
}
#endif

// "How to play" for the screen shown: its title, the puzzle's name (empty on the menu) and its paragraphs,
// a line each.
EMSCRIPTEN_KEEPALIVE const char* TesselHowToPlay() {
    const tessel::HowToPlayText help = tessel::HowToPlay(tessel::TheGame());
    std::string lines = help.title + "\n" + help.heading;
    for (const std::string& paragraph : help.paragraphs) lines += "\n" + paragraph;
    return tessel::Answer(lines);
}

// A look's item in "Tools" > "Look" (a look's number as TesselSetLook takes it, -1 for "As the system"),
// and what the screen reader says when the game is shown in a look.
EMSCRIPTEN_KEEPALIVE const char* TesselLookTitle(int32_t look) {
    const bool known = look >= 0 && look < static_cast<int32_t>(tessel::LOOKS.size());
    const std::optional<tessel::Look> choice =
        known ? std::optional(tessel::LOOKS[static_cast<std::size_t>(look)]) : std::nullopt;
    return tessel::Answer(tessel::Say(tessel::LookTitle(choice)));
}
EMSCRIPTEN_KEEPALIVE const char* TesselSaidLook(int32_t look) {
    if (look < 0 || look >= static_cast<int32_t>(tessel::LOOKS.size())) return tessel::Answer({});
    return tessel::Answer(tessel::Say(tessel::SaidLook(tessel::LOOKS[static_cast<std::size_t>(look)])));
}

// The game can no longer be played (the page hidden, the phone held sideways), or can again: its clock
// stands meanwhile.
EMSCRIPTEN_KEEPALIVE void TesselHoldClock(int32_t held) {
    tessel::PageHeldClock() = held != 0;
    tessel::UpdateClockHold();
    // A watching stands too while it cannot be seen.
    if (held != 0 && tessel::TheWatch() && !tessel::TheWatch()->paused) {
        tessel::PauseWatch(*tessel::TheWatch(), true);
        tessel::SayWatching();
    }
}

// How many moves the game in play has: the page asks before a game ID replaces one with moves.
EMSCRIPTEN_KEEPALIVE int32_t TesselMoveCount() {
    return static_cast<int32_t>(tessel::MoveCount(tessel::TheSession()));
}

// The ID of the board in play; empty when there is none.
EMSCRIPTEN_KEEPALIVE const char* TesselGameId() {
    return tessel::Answer(tessel::GameIdOf(tessel::TheGame()));
}

// The `size` bytes the page wrote into the text buffer, read as a game ID: what is wrong with it in one
// line, or empty when it names a board.
EMSCRIPTEN_KEEPALIVE const char* TesselCheckGameId(int32_t size) {
    return tessel::Answer(tessel::ParseGameId(tessel::TextWritten(size)).error);
}

// Starts the board the ID in the text buffer names, in place of the game in play; nothing for text that is
// no ID.
EMSCRIPTEN_KEEPALIVE void TesselPlayGameId(int32_t size) {
    const tessel::ReadGameId read = tessel::ParseGameId(tessel::TextWritten(size));
    if (!read.id) return;
    tessel::StopWatching();
    tessel::PlayGameId(tessel::TheSession(), *read.id);
}

// The steps of the records' keeping (game/records_store.h) on what the page stores, which it wrote into the
// text buffer (`size` -1 when it has no storage). The answer, in the text buffer: "" when nothing is to be
// done, else "s" (set aside: what is stored cannot be read), then "w" and the text to store, or "r" (remove
// what is stored).
EMSCRIPTEN_KEEPALIVE const char* TesselReadRecords(int32_t size) {
    return tessel::RecordsAnswer(tessel::RecordsStep::Read, size);
}
EMSCRIPTEN_KEEPALIVE const char* TesselWriteRecords(int32_t size) {
    return tessel::RecordsAnswer(tessel::RecordsStep::Write, size);
}
EMSCRIPTEN_KEEPALIVE const char* TesselClearRecords() {
    return tessel::RecordsAnswer(tessel::RecordsStep::Clear, -1);
}

// Whether games were solved since the records were last stored: only then does the page read them.
EMSCRIPTEN_KEEPALIVE int32_t TesselRecordsWaiting() {
    return tessel::RecordsWaiting(tessel::TheSession()) ? 1 : 0;
}

// The steps of the log of solves' keeping, as the records' (game/solve_log.h), on what the page stores: it
// writes that into the long text (TesselLongText, `size` bytes; -1 when it has no storage), and reads the
// answer, as the records', from what is returned.
EMSCRIPTEN_KEEPALIVE char* TesselLongText(int32_t size) {
    tessel::LongText().assign(static_cast<std::size_t>(std::max(size, 0)), '\0');
    return tessel::LongText().data();
}
EMSCRIPTEN_KEEPALIVE const char* TesselReadSolves(int32_t size) {
    return tessel::SolvesAnswer(tessel::RecordsStep::Read, size);
}
EMSCRIPTEN_KEEPALIVE const char* TesselWriteSolves(int32_t size) {
    return tessel::SolvesAnswer(tessel::RecordsStep::Write, size);
}
EMSCRIPTEN_KEEPALIVE const char* TesselClearSolves() {
    return tessel::SolvesAnswer(tessel::RecordsStep::Clear, -1);
}
EMSCRIPTEN_KEEPALIVE int32_t TesselSolvesWaiting() {
    return tessel::SolvesWaiting(tessel::TheSession()) ? 1 : 0;
}

// "Tools" > "Statistics": the page of the chooser's puzzle `index` as JSON (StatisticsJson), the log as CSV,
// and a logged solve's link.
EMSCRIPTEN_KEEPALIVE const char* TesselStatistics(int32_t index, int32_t rows) {
    return tessel::LongAnswer(tessel::StatisticsJson(static_cast<std::size_t>(std::max(index, 0)),
                                                     static_cast<std::size_t>(std::max(rows, 0))));
}
// The rows of the table of solves from `from` on, as JSON.
EMSCRIPTEN_KEEPALIVE const char* TesselMoreSolves(int32_t index, int32_t from) {
    const tessel::Session& session = tessel::TheSession();
    const std::vector<const tessel::Puzzle*> puzzles = tessel::StatisticsPuzzles(session);
    const auto chosen =
        static_cast<std::size_t>(std::clamp<int32_t>(index, 0, static_cast<int32_t>(puzzles.size()) - 1));
    const tessel::StatisticsPage page = tessel::StatisticsOf(session, *puzzles[chosen], session.utcNow,
                                                             static_cast<std::size_t>(std::max(from, 0)));
    return tessel::LongAnswer(tessel::SolveRowsJson(page.solves));
}
EMSCRIPTEN_KEEPALIVE const char* TesselSolvesCsv() {
    return tessel::LongAnswer(tessel::SolveLogCsv(tessel::TheSession().solveLog));
}
EMSCRIPTEN_KEEPALIVE const char* TesselLoggedSolveLink(int32_t index, int32_t row) {
    if (index < 0 || row < 0) return tessel::LongAnswer({});
    return tessel::LongAnswer(
        tessel::SolveLinkAt(static_cast<std::size_t>(index), static_cast<std::size_t>(row)));
}

// The number of the game's key for a key named in the text buffer ("Left" ... "Escape", game/keys.h), with
// Shift held or not; -1 for none of the game's. The page passes it on to TesselKey.
EMSCRIPTEN_KEEPALIVE int32_t TesselKeyPressed(int32_t size, int32_t shift) {
    const std::optional<tessel::Key> key = tessel::KeyPressed(tessel::TextWritten(size), shift != 0);
    return key ? static_cast<int32_t>(*key) : -1;
}

// One key, by the number TesselKeyPressed gives; other numbers do nothing.
EMSCRIPTEN_KEEPALIVE void TesselKey(int32_t key) {
    if (key < 0 || key >= tessel::KEY_COUNT || tessel::TheWatch()) return;
    tessel::PressKey(tessel::TheSession(), static_cast<tessel::Key>(key));
}

// The keyboard's cursor: whether it is shown, its cell (the menu's as [0, index]) and whether it holds its
// line.
EMSCRIPTEN_KEEPALIVE int32_t TesselCursorShown() {
    return tessel::TheSession().cursor.shown ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int32_t TesselCursorCol() {
    return tessel::TheSession().cursor.col;
}
EMSCRIPTEN_KEEPALIVE int32_t TesselCursorRow() {
    return tessel::TheSession().cursor.row;
}
EMSCRIPTEN_KEEPALIVE int32_t TesselCursorGrabbed() {
    return tessel::TheSession().cursor.grabbed ? 1 : 0;
}

// How many moves can be taken back, and played again.
EMSCRIPTEN_KEEPALIVE int32_t TesselUndoCount() {
    if (tessel::TheWatch()) return 0;
    return static_cast<int32_t>(tessel::UndoCount(tessel::TheSession().history));
}
EMSCRIPTEN_KEEPALIVE int32_t TesselRedoCount() {
    if (tessel::TheWatch()) return 0;
    return static_cast<int32_t>(tessel::RedoCount(tessel::TheSession().history));
}

// A solve watched (game/watch.h, web/watching.js). TesselWatchLink reads the link the page wrote into the
// text buffer and starts watching it in place of the game in play; the answer is what is wrong with it in
// one line, with nothing changed, or empty when the watching has begun.
EMSCRIPTEN_KEEPALIVE const char* TesselWatchLink(int32_t size) {
    using namespace tessel;
    const std::string_view given = TextWritten(size);
    const ReadSolveLink read = ParseSolveLink(given);
    if (!read.solve) return Answer(read.error);
    if (const std::string error = CheckSolve(*read.solve); !error.empty())
        return Answer(Say(msg::LINK_REFUSED, Shown(given), error));
    CancelDrag(TheSession());
    TheWatch() = StartWatch(*read.solve, TheGame());
    UpdateClockHold();
    SayWatching();
    return Answer({});
}

// Whether the text in the buffer is meant as a solve's link rather than a game ID.
EMSCRIPTEN_KEEPALIVE int32_t TesselIsSolveLink(int32_t size) {
    return tessel::LooksLikeSolveLink(tessel::TextWritten(size)) ? 1 : 0;
}

// Where the watching stands: 0 none, 1 playing on, 2 paused, 3 every move played; and its pace, 1, 2 or 4.
EMSCRIPTEN_KEEPALIVE int32_t TesselWatching() {
    const auto& watch = tessel::TheWatch();
    if (!watch) return 0;
    if (tessel::WatchEnded(*watch)) return 3;
    return watch->paused ? 2 : 1;
}
EMSCRIPTEN_KEEPALIVE int32_t TesselWatchSpeed() {
    return tessel::TheWatch() ? tessel::TheWatch()->speed : 1;
}

// `ms` of real time have passed; 1 when moves were played (their words wait in TesselScreenText).
EMSCRIPTEN_KEEPALIVE int32_t TesselAdvanceWatch(uint32_t ms) {
    auto& watch = tessel::TheWatch();
    if (!watch) return 0;
    const std::size_t before = watch->played;
    tessel::AdvanceWatch(*watch, ms);
    return watch->played != before ? 1 : 0;
}

// Real milliseconds until the next move falls due; -1 when none will (paused, ended, no watching).
EMSCRIPTEN_KEEPALIVE int32_t TesselMsToNextMove() {
    if (!tessel::TheWatch()) return -1;
    const std::optional<uint32_t> ms = tessel::MsToNextMove(*tessel::TheWatch());
    return ms ? static_cast<int32_t>(std::min<uint32_t>(*ms, INT32_MAX)) : -1;
}

EMSCRIPTEN_KEEPALIVE void TesselPauseWatch(int32_t paused) {
    if (!tessel::TheWatch() || tessel::WatchEnded(*tessel::TheWatch())) return;
    tessel::PauseWatch(*tessel::TheWatch(), paused != 0);
    tessel::SayWatching();
}
// The next move at once, paused there; 0 when there is none.
EMSCRIPTEN_KEEPALIVE int32_t TesselStepWatch() {
    return tessel::TheWatch() && tessel::StepWatch(*tessel::TheWatch()) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void TesselSetWatchSpeed(int32_t speed) {
    if (!tessel::TheWatch()) return;
    tessel::SetWatchSpeed(*tessel::TheWatch(), speed);
    tessel::SayWatching();
}
// The game in play shown again, as it was.
EMSCRIPTEN_KEEPALIVE void TesselStopWatch() {
    tessel::StopWatching();
}

// "Share solve": "L" and the link of the solve on the board in play, or "E" and why there is none.
EMSCRIPTEN_KEEPALIVE const char* TesselSolveLink() {
    using namespace tessel;
    const std::optional<LoggedSolve> solve = SolveOnBoard(TheSession());
    const std::string link = solve ? WriteSolveLink(*solve) : std::string();
    if (link.empty()) return Answer("E" + Say(solve ? msg::SOLVE_HAS_NO_LINK : msg::NO_SOLVE_TO_SHARE));
    return Answer("L" + link);
}

// "Share result": "L" and the line of the day's board solved in play, its link after the address the page
// wrote into the text buffer (its own, up to the "#"), or "E" and why there is none.
EMSCRIPTEN_KEEPALIVE const char* TesselResultLine(int32_t size) {
    using namespace tessel;
    const std::optional<LoggedSolve> solve = SolveOnBoard(TheSession());
    const std::string line = solve ? DayResultLine(*solve, TextWritten(size)) : std::string();
    return Answer(line.empty() ? "E" + Say(msg::NO_RESULT_TO_SHARE) : "L" + line);
}

// "Today's board": "I" and the ID of today's board (UTC, by the wall clock) of the puzzle shown, or "E"
// and why there is none. The page starts it as any game ID, asking before it replaces a game with moves.
EMSCRIPTEN_KEEPALIVE const char* TesselTodaysBoard() {
    using namespace tessel;
    const Session& session = TheSession();
    const TodaysBoard today =
        TodaysBoardOf(session.game.screen, session.utcNow / 1000 - (session.utcNow % 1000 < 0 ? 1 : 0));
    return Answer(today.error.empty() ? "I" + today.gameId : "E" + today.error);
}

}  // extern "C"

// What the screen shows, for the page's accessible mirror of the picture (web/mirror.js).
namespace tessel {

namespace {

void AppendJsonString(std::string& json, std::string_view text) {
    json += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') json += '\\';
        json += c;
    }
    json += '"';
}

// [name, x, y, width, height, tapX, tapY]
void AppendItems(std::string& json, const std::vector<AccessibleItem>& items) {
    json += '[';
    for (const AccessibleItem& item : items) {
        if (json.back() != '[') json += ',';
        json += '[';
        AppendJsonString(json, item.name);
        for (const int32_t v : {item.x, item.y, item.width, item.height, item.tapX, item.tapY})
            json += ',' + std::to_string(v);
        json += ']';
    }
    json += ']';
}

}  // namespace

}  // namespace tessel

extern "C" {

// The screen as screen readers get it (game/accessible_screen.h), as JSON: {"name", "group" ("toolbar" or
// "grid"), "groupName", "columns", "rows", "buttons", "cells", "banner", "focus", "said"}, items as [name,
// x, y, width, height, tapX, tapY] in picture pixels, "focus" the cursor's ["button" or "cell", index] or
// null, "said" the few words for what was played last, given once (TakePlayedWords).
EMSCRIPTEN_KEEPALIVE const char* TesselScreenText() {
    using namespace tessel;
    static std::string json;
    Session& shown = ShownSession();
    const AccessibleScreen screen = DescribeForScreenReaders(shown.game);
    const std::string said = TakePlayedWords(shown);
    json = "{\"name\":";
    AppendJsonString(json, screen.name);
    json += ",\"group\":";
    json += screen.group == AccessibleScreen::Group::Grid ? "\"grid\"" : "\"toolbar\"";
    json += ",\"groupName\":";
    AppendJsonString(json, screen.groupName);
    json += ",\"columns\":" + std::to_string(screen.columns) + ",\"rows\":" + std::to_string(screen.rows);
    json += ",\"buttons\":";
    AppendItems(json, screen.buttons);
    json += ",\"cells\":";
    AppendItems(json, screen.cells);
    json += ",\"banner\":";
    AppendJsonString(json, screen.banner);
    const FocusedItem focus = FocusOf(screen, shown.cursor);
    json += ",\"focus\":";
    json += focus.kind == FocusedItem::NONE
                ? "null"
                : (focus.kind == FocusedItem::BUTTON ? "[\"button\"," : "[\"cell\",") +
                      std::to_string(focus.index) + "]";
    json += ",\"said\":";
    AppendJsonString(json, said);
    json += '}';
    return json.c_str();
}

}  // extern "C"
