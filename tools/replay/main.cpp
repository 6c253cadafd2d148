// tessel-replay: the headless front end. Replays a script of taps deterministically and prints the game
// record after every command; with --frames it writes every picture the game presents as a PNG.
//
// Implemented platform: a tick count that the script sets, the common pseudo-random generator, presents
// counted and written as frames. Not implemented: a window, the splash animation (the script's "splash"
// only ends it), the landscape message, the tap drain after the splash, the About dialog.
#include <stb_image_write.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/crt_random.h"
#include "core/game.h"
#include "core/platform.h"
#include "game/kept_game.h"
#include "game/tap_cycle.h"
#include "tools/replay/script.h"
#include "tools/replay/state_json.h"

namespace tessel {

namespace {

struct ReplayPlatform {
    uint32_t ticks = 0;
    CrtRandom random;
    int presents = 0;                 // during the current command
    std::filesystem::path framesDir;  // empty: no frames written
    long nextFrame = 0;
    std::string frameError;  // the first frame that could not be written
};

ReplayPlatform platform;

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

}  // namespace

uint32_t TickCount() {
    return platform.ticks;
}
void SeedRandom(uint32_t seed) {
    platform.random.Seed(seed);
}
int32_t DrawRandom() {
    return platform.random.Draw();
}

void PresentNow(const Game& game) {
    ++platform.presents;
    if (!platform.framesDir.empty()) WriteFrame(game.backBuffer);
}

}  // namespace tessel

namespace {

using namespace tessel;

constexpr int EXIT_BAD_INPUT = 2;

int Fail(const std::string& message, long line = 0) {
    std::cout.flush();
    std::cerr << "tessel-replay: " << (line > 0 ? std::to_string(line) + ": " : "") << message << '\n';
    return EXIT_BAD_INPUT;
}

int Usage() {
    std::cerr << "usage: tessel-replay [--frames DIR] SCRIPT   (SCRIPT - reads standard input)\n";
    return EXIT_BAD_INPUT;
}

void PrintState(const Game& game, long line, std::string_view command) {
    std::cout << replay::StateJson(game, line, command, platform.presents) << '\n' << std::flush;
}

// The record and back buffer live as long as the program, like the window's.
Game game;

// keep FILE: the game's kept form with the generator's state. Returns what went wrong, if anything.
std::string KeepTo(const std::string& path) {
    const std::vector<uint8_t> bytes = KeepGame(game, platform.random.state);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file.flush() ? "" : "cannot write kept game " + path;
}

// resume FILE: the game kept there replaces this one, its screen drawn and shown, as a front end shows it
// at start. Refused whole when it is not a sound kept game of this version.
std::string ResumeFrom(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes(KEPT_GAME_SIZE + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.is_open() || file.bad() || std::filesystem::is_directory(path))
        return "cannot read kept game " + path;
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    const std::span kept(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!ReadKeptGame(kept, game, platform.random.state))
        return path + " is not a kept game of this version, or not a sound one";
    DrawScreen(game);
    PresentNow(game);
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string scriptPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--frames") {
            if (i + 1 >= args.size()) return Usage();
            platform.framesDir = args[++i];
            if (platform.framesDir.empty()) return Fail("--frames needs a folder");
        } else if (scriptPath.empty() && (args[i] == "-" || args[i].rfind("-", 0) != 0)) {
            scriptPath = args[i];
        } else {
            return Usage();
        }
    }
    if (scriptPath.empty()) return Usage();

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

    // Start as the program does: the surfaces prepared and the menu drawn, the splash still to come.
    PrepareSurfaces(game);
    if (!platform.framesDir.empty() && !WriteFrame(game.backBuffer)) return Fail(platform.frameError);
    PrintState(game, 0, "start");

    std::string text;
    for (long line = 1; std::getline(script, text); ++line) {
        const replay::Command command = replay::ParseLine(text);
        if (command.kind == replay::CommandKind::None) continue;
        if (command.kind == replay::CommandKind::Invalid) return Fail(command.error, line);
        platform.presents = 0;
        switch (command.kind) {
            case replay::CommandKind::Tick:
                platform.ticks = command.ticks;
                break;
            case replay::CommandKind::Splash:
                game.splashPending = 0;
                break;
            case replay::CommandKind::Tap:
                game.tapX = command.x;
                game.tapY = command.y;
                HandleTap(game, command.x, command.y);
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
        PrintState(game, line, replay::CommandWord(command.kind));
        if (!platform.frameError.empty()) return Fail(platform.frameError, line);
    }
    if (script.bad()) return Fail("cannot read script " + scriptPath);
    return 0;
}
