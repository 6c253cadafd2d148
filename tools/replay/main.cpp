// tessel-replay: the headless front end. Replays a script of taps deterministically and prints the game
// record after every command; with --frames it writes every picture the game presents as a PNG.
//
// Implemented: the record's tick count set by the script, presents counted and written as frames. Not
// implemented: a window, the splash animation (the script's "splash" only ends it), the landscape message,
// the tap drain after the splash, the About dialog.
#include <getopt.h>
#include <stb_image_write.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/game.h"
#include "game/catalogue.h"
#include "game/drag.h"
#include "game/game_id.h"
#include "game/kept_game.h"
#include "game/languages.h"
#include "game/session.h"
#include "game/solve_link.h"
#include "game/solve_log.h"
#include "game/solve_stats.h"
#include "game/tap_cycle.h"
#include "game/watch.h"
#include "hints/shown_hint.h"
#include "tools/replay/script.h"
#include "tools/replay/state_json.h"

namespace tessel {

namespace {

struct ReplayPlatform {
    int presents = 0;                 // during the current command
    std::filesystem::path framesDir;  // empty: no frames written
    long nextFrame = 0;
    std::string frameError;  // the first frame that could not be written
};

ReplayPlatform platform;

// The game and its history live as long as the program, like the window's.
Session& TheSession() {
    static Session session;
    return session;
}

bool WriteFrame(const BackBuffer& buffer) {
    std::vector<unsigned char> rgb(buffer.pixels.size() * 3);
    for (std::size_t i = 0; i < buffer.pixels.size(); ++i) {
        rgb[i * 3] = static_cast<unsigned char>(buffer.pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<unsigned char>(buffer.pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<unsigned char>(buffer.pixels[i]);
    }
    char name[32];
    std::snprintf(name, sizeof name, "%05ld.png", platform.nextFrame++);
    const std::string path = (platform.framesDir / name).string();
    if (stbi_write_png(path.c_str(), SURFACE_WIDTH, SURFACE_HEIGHT, 3, rgb.data(), SURFACE_WIDTH * 3) == 0) {
        if (platform.frameError.empty()) platform.frameError = "cannot write frame " + path;
        return false;
    }
    return true;
}

// The game played's presenter: every present counted and, with --frames, written.
void CountAndWrite(const Game& game, void*) {
    ++platform.presents;
    static BackBuffer scratch;
    if (!platform.framesDir.empty()) WriteFrame(PictureShown(game, scratch));
}

}  // namespace

}  // namespace tessel

namespace {

using namespace tessel;

constexpr int EXIT_BAD_INPUT = 2;

int Fail(const std::string& message, long line = 0) {
    std::cout.flush();
    std::cerr << "tessel-replay: " << (line > 0 ? std::to_string(line) + ": " : "") << message << '\n';
    return EXIT_BAD_INPUT;
}

constexpr std::string_view HELP =
    "Usage: tessel-replay [--frames DIR] [--look LOOK] [--language CODE] [--log FILE] SCRIPT\n"
    "Plays the taps of a replay script on the game, headless, and prints the game's record as one line\n"
    "of JSON after the start and after every command, at once, so that a program can drive it through a\n"
    "pipe. SCRIPT \"-\" reads standard input.\n"
    "\n"
    "Options:\n"
    "  --frames DIR   write every picture the game shows as DIR/00000.png, DIR/00001.png, ...\n"
    "  --look LOOK    draw the pictures in this look: classic (the default), high-contrast or dark\n"
    "  --language CODE  say \"said\" in this language: en (the default), ar, de, es, fr, it, ja, pl,\n"
    "                 pt_BR, ru or zh_CN\n"
    "  --log FILE     log the script's solves in FILE, read first when it exists, as the game keeps\n"
    "                 its log of solves (without it, the log is kept in memory only)\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "Script commands, one a line (\"#\" starts a comment):\n"
    "  tick N         the tick count reads N from now on (0 to 4294967295)\n"
    "  splash         the start-up splash has ended\n"
    "  tap X Y        a tap at X, Y (0 to 65535) in pixels of the 239 x 267 picture\n"
    "  press X Y      the pointer pressed at X, Y: the tap there, and on a tile of a board of\n"
    "                 lines the start of a drag\n"
    "  move X Y       the pressed pointer moved to X, Y: a dragged line follows it, one move a cell\n"
    "  release        the pointer let go: a dragged line settles on the nearest cell\n"
    "  cancel         the drag cancelled: its moves stay, the line settles back\n"
    "  key NAME       a key: Left, Right, Up, Down, Shift+Left, Shift+Right, Shift+Up, Shift+Down,\n"
    "                 Enter, Space or Escape\n"
    "  undo           take back the last move (a tap that changed the board)\n"
    "  redo           play the last move taken back again\n"
    "  hint           show the next move toward the solved board (\"hint\" in the JSON)\n"
    "  game ID        start the board a game ID names (\"gameId\" in the JSON), such as normal-4297\n"
    "                 or the day's board normal-2026-12-09\n"
    "  watch LINK     play a solve's link (\"solveLink\" in the JSON of a solving command) at once on\n"
    "                 a game of its own, then show the game in play again (\"watched\" in the JSON)\n"
    "  keep FILE      write the game's kept form, as the web version stores it, to FILE\n"
    "  resume FILE    the game kept in FILE replaces this one and its screen is shown\n"
    "  stats          the statistics of the solves logged (\"stats\" in the JSON)\n"
    "\n"
    "Bad input stops it with a message on standard error and exit status 2. See tessel-replay(6).\n";

// What the command line asks for; the script is read only for Replay. Bad: the message has been given.
enum class Request { Replay, Help, Version, Bad };

struct Options {
    Request request = Request::Replay;
    std::string scriptPath;
    Look look = Look::CLASSIC;
    std::string language = "en";
    std::string logPath;  // empty: the log is kept in memory
};

Options Bad(const std::string& message) {
    Fail(message);
    return {Request::Bad, {}, {}, {}, {}};
}

// Reads the options with getopt_long. Every complaint is one line.
Options ParseOptions(int argc, char** argv) {
    enum { FRAMES = 1, LOOK, LANGUAGE, LOG };
    static constexpr option LONG_OPTIONS[] = {{"frames", required_argument, nullptr, FRAMES},
                                              {"look", required_argument, nullptr, LOOK},
                                              {"language", required_argument, nullptr, LANGUAGE},
                                              {"log", required_argument, nullptr, LOG},
                                              {"help", no_argument, nullptr, 'h'},
                                              {"version", no_argument, nullptr, 'v'},
                                              {nullptr, 0, nullptr, 0}};
    Options options;
    opterr = 0;  // the messages are ours
    int option = 0;
    while ((option = getopt_long(argc, argv, ":hv", LONG_OPTIONS, nullptr)) != -1) {
        switch (option) {
            case FRAMES:
                platform.framesDir = optarg;
                if (platform.framesDir.empty()) return Bad("--frames needs a folder");
                break;
            case LOOK:
                if (const std::optional<Look> look = LookNamed(optarg)) {
                    options.look = *look;
                    break;
                }
                return Bad("unknown look '" + std::string(optarg) + "' (classic, high-contrast or dark)");
            case LANGUAGE:
                if (const std::optional<std::string_view> language = KeptLanguage(optarg)) {
                    options.language = *language;
                    break;
                }
                return Bad("unknown language '" + std::string(optarg) +
                           "' (en, ar, de, es, fr, it, ja, pl, pt_BR, ru or zh_CN)");
            case LOG:
                options.logPath = optarg;
                if (options.logPath.empty()) return Bad("--log needs a file");
                break;
            case 'h':
                options.request = Request::Help;
                break;
            case 'v':
                options.request = Request::Version;
                break;
            case ':': {  // the option that takes a value is the word just read
                const std::string word = argv[optind - 1];
                return Bad(word == "--look"       ? "--look needs a look"
                           : word == "--log"      ? "--log needs a file"
                           : word == "--language" ? "--language needs a language"
                                                  : "--frames needs a folder");
            }
            default:  // an unknown short option is named by optopt, a long one is the word just read
                return Bad("unknown option '" +
                           (optopt != 0 ? std::string{'-', static_cast<char>(optopt)} : argv[optind - 1]) +
                           "'");
        }
    }
    if (options.request != Request::Replay) return options;
    if (optind == argc) return Bad("no SCRIPT given (see tessel-replay --help)");
    if (argc - optind > 1) return Bad("one SCRIPT only, got " + std::to_string(argc - optind));
    options.scriptPath = argv[optind];
    return options;
}

void PrintState(long line, std::string_view command, const replay::Extras& extras = {}) {
    const std::string said = TakePlayedWords(TheSession());
    std::cout << replay::StateJson(TheSession(), line, command, platform.presents, said, extras) << '\n'
              << std::flush;
}

// The link of the game solved by the command just played, if it solved one.
std::optional<std::string> SolvedLink(const Session& session, std::size_t solvesBefore) {
    if (session.solvesToLog.size() == solvesBefore) return std::nullopt;
    return WriteSolveLink(session.solvesToLog.back());
}

std::string NotALog(const std::string& path) {
    return path + " is not a log of solves of this version, or not a sound one";
}

// The text of the log file, nothing when there is none; `error` says when it is there but cannot be read.
std::optional<std::string> ReadLogFile(const std::string& path, std::string& error) {
    std::error_code code;
    if (!std::filesystem::exists(path, code)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, code)) {
        error = "cannot read log " + path;
        return std::nullopt;
    }
    // Refused before it is read: a log so long is none the game wrote.
    if (std::filesystem::file_size(path, code) > SOLVE_LOG_MAX_SIZE) {
        error = NotALog(path);
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The solves of the command just run, added to the log: kept in memory, or merged into the log file.
// Returns what went wrong, if anything.
std::string KeepLog(const std::string& path) {
    Session& session = TheSession();
    if (!SolvesWaiting(session)) return "";
    if (path.empty()) {
        KeepSolveLog(session, RecordsStep::Write, std::nullopt);
        return "";
    }
    std::string error;
    const std::optional<std::string> stored = ReadLogFile(path, error);
    if (!error.empty()) return error;
    const RecordsToStore store = KeepSolveLog(session, RecordsStep::Write, stored.value_or(""));
    if (store.setAside) return NotALog(path);
    std::ofstream file(path, std::ios::binary);
    file << *store.write;
    return file.flush() ? "" : "cannot write log " + path;
}

// keep FILE: the game's kept form with the generator's state. Returns what went wrong, if anything.
std::string KeepTo(const std::string& path) {
    const std::vector<uint8_t> bytes = KeepGame(TheSession());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file.flush() ? "" : "cannot write kept game " + path;
}

// watch LINK: the solve checked, then played at once on a game of its own, every picture shown as when it
// was played, and the game in play shown again.
// Returns the watched game's end, or what is wrong with the solve.
std::string WatchLink(const std::string& link, replay::Extras& extras) {
    const LoggedSolve solve = *ParseSolveLink(link).solve;
    if (std::string error = CheckSolve(solve); !error.empty())
        return Say(msg::LINK_REFUSED, Shown(link), error);
    const std::unique_ptr<Watch> watch = StartWatch(solve, TheSession().game);
    FinishWatch(*watch);
    extras.watched = replay::WatchedJson(watch->session);
    PresentNow(TheSession().game);
    return "";
}

// resume FILE: the game kept there replaces this one, its screen drawn and shown, as a front end shows it
// at start. Refused whole when it is not a sound kept game of this version.
std::string ResumeFrom(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes(KEPT_GAME_MAX_SIZE + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.is_open() || file.bad() || std::filesystem::is_directory(path))
        return "cannot read kept game " + path;
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    const std::span kept(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!ReadKeptGame(kept, TheSession()))
        return path + " is not a kept game of this version, or not a sound one";
    Game& game = TheSession().game;
    DrawScreen(game);
    PresentNow(game);
    HoldClock(TheSession(), false);  // the game can be played at once, and its time runs on
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    switch (options.request) {
        case Request::Bad:
            return EXIT_BAD_INPUT;
        case Request::Help:
            std::cout << HELP;
            return 0;
        case Request::Version:
            std::cout << "tessel-replay " TESSEL_VERSION "\n";
            return 0;
        case Request::Replay:
            break;
    }
    const std::string& scriptPath = options.scriptPath;
    std::string languageError;
    const std::string programDir = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
    if (!UseInstalledLanguage(programDir, options.language, languageError)) return Fail(languageError);

    std::ifstream file;
    if (scriptPath != "-") {
        file.open(scriptPath);
        if (!file || std::filesystem::is_directory(scriptPath))
            return Fail("cannot read script " + scriptPath);
    }
    std::istream& script = scriptPath == "-" ? std::cin : file;

    if (!platform.framesDir.empty()) {
        std::error_code error;
        std::filesystem::create_directories(platform.framesDir, error);
        if (error)
            return Fail("cannot create frames folder " + platform.framesDir.string() + ": " +
                        error.message());
    }

    Session& session = TheSession();
    if (!options.logPath.empty()) {
        std::string error;
        const std::optional<std::string> stored = ReadLogFile(options.logPath, error);
        if (!error.empty()) return Fail(error);
        if (KeepSolveLog(session, RecordsStep::Read, stored.value_or("")).setAside)
            return Fail(NotALog(options.logPath));
    }
    Game& game = session.game;
    // Start as the program does: the surfaces prepared and the menu drawn, the splash still to come.
    game.presenter = {CountAndWrite, nullptr};
    game.look = options.look;
    PrepareSurfaces(game);
    if (!platform.framesDir.empty() && !WriteFrame(game.backBuffer)) return Fail(platform.frameError);
    PrintState(0, "start");

    std::string text;
    for (long line = 1; std::getline(script, text); ++line) {
        const replay::Command command = replay::ParseLine(text);
        if (command.kind == replay::CommandKind::None) continue;
        if (command.kind == replay::CommandKind::Invalid) return Fail(command.error, line);
        platform.presents = 0;
        const std::size_t solvesBefore = session.solvesToLog.size();
        replay::Extras extras;
        switch (command.kind) {
            case replay::CommandKind::Tick:
                game.now = command.ticks;
                // Solves are dated by the tick count too, as milliseconds since 1970, so that a script's
                // log is the same every time.
                session.utcNow = command.ticks;
                break;
            case replay::CommandKind::Splash:
                game.splashPending = 0;
                HoldClock(session, false);
                break;
            case replay::CommandKind::Tap:
                Tap(session, command.x, command.y);
                break;
            case replay::CommandKind::Press:
                Press(session, command.x, command.y);
                break;
            case replay::CommandKind::Move:
                if (!MovePointer(session, command.x, command.y))
                    return Fail("move with no press before it", line);
                break;
            case replay::CommandKind::Release:
                if (!Release(session)) return Fail("release with no press before it", line);
                break;
            case replay::CommandKind::Cancel:
                if (!CancelDrag(session)) return Fail("cancel with no press before it", line);
                break;
            case replay::CommandKind::Key:
                PressKey(session, command.key);
                break;
            case replay::CommandKind::Undo:
                Undo(session);
                break;
            case replay::CommandKind::Redo:
                Redo(session);
                break;
            case replay::CommandKind::Hint:
                ShowHint(session);
                break;
            case replay::CommandKind::Game:
                PlayGameId(session, *ParseGameId(command.path).id);
                break;
            case replay::CommandKind::Watch:
                if (std::string error = WatchLink(command.path, extras); !error.empty())
                    return Fail(error, line);
                break;
            case replay::CommandKind::Keep:
                if (std::string error = KeepTo(command.path); !error.empty()) return Fail(error, line);
                break;
            case replay::CommandKind::Resume:
                if (std::string error = ResumeFrom(command.path); !error.empty()) return Fail(error, line);
                break;
            default:
                break;
        }
        extras.solveLink = SolvedLink(session, solvesBefore);
        // The solving command's record carries its solve too, logged before it is printed.
        if (session.solvesToLog.size() > solvesBefore)
            extras.solve = SolveCsvLine(session.solvesToLog.back());
        if (std::string error = KeepLog(options.logPath); !error.empty()) return Fail(error, line);
        if (command.kind == replay::CommandKind::Stats) extras.stats = replay::StatsJson(session);
        PrintState(line, replay::CommandWord(command.kind), extras);
        if (!platform.frameError.empty()) return Fail(platform.frameError, line);
    }
    if (script.bad()) return Fail("cannot read script " + scriptPath);
    return 0;
}
