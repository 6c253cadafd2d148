#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/keys.h"
#include "game/tap_cycle.h"
#include "tools/replay/script.h"
#include "tools/replay/state_json.h"

namespace tessel::replay {
namespace {

TEST(ReplayScript, ReadsCommandsWithCommentsAndSpacingAndRejectsTheRest) {
    for (const char* line : {"", " \t ", "# tap 1 2", "\r"})
        EXPECT_EQ(ParseLine(line).kind, CommandKind::None);
    const Command tap = ParseLine("\ttap  86\t65   # the Normal label\r");
    EXPECT_EQ(std::tuple(tap.kind, tap.x, tap.y), std::tuple(CommandKind::Tap, uint16_t{86}, uint16_t{65}));
    EXPECT_EQ(ParseLine("tick 4294967295").ticks, 4294967295u);
    EXPECT_EQ(ParseLine("tick 007").ticks, 7u);
    EXPECT_EQ(ParseLine("splash#done").kind, CommandKind::Splash);
    EXPECT_EQ(ParseLine("key  Shift+Down # the column").key, Key::ShiftDown);
    for (const char* line :
         {"tick", "tick 1 2", "tick -1", "tick +1", "tick 4294967296", "tick 1e3", "tick 0x10",
          "tick 99999999999999999999999", "splash now", "tap 1", "tap 1 2 3", "tap 65536 0", "tap 0 -1",
          "tap 1.5 2", "Tap 1 2", "click 1 2", "tap\v1 2", "key Ctrl+Z", "key"}) {
        const Command command = ParseLine(line);
        EXPECT_EQ(command.kind, CommandKind::Invalid) << line;
        EXPECT_FALSE(command.error.empty()) << line;
    }
    for (const char* key : {"shift+left", "Shift+Enter", "Tab", "Left x"})
        EXPECT_EQ(ParseLine(std::string("key ") + key).kind, CommandKind::Invalid) << key;
    // Bytes that are not plain text reach the message as codes, never as control codes for the terminal.
    EXPECT_EQ(ParseLine("tap 1\x1b[2J\xff 2").error,
              R"(tap x '1\x1b[2J\xff' is not a whole number from 0 to 65535)");
}

// The record as every front end starts it, as the replay prints it first: the menu, the splash to come and
// nothing else set.
TEST(ReplayState, TheStartRecordInFull) {
    const auto session = std::make_unique<Session>();
    PrepareSurfaces(session->game);
    const auto zeros = [](int n) {
        std::string list = "[0";
        for (int i = 1; i < n; ++i) list += ",0";
        return list + "]";
    };
    const std::string tiles = zeros(36), lights = zeros(49);
    EXPECT_EQ(
        StateJson(*session, 0, "start", 0, ""),
        R"({"line":0,"command":"start","screen":1,"screenAtTap":1,"solved":0,"tapActed":0,)"
        R"("splashPending":1,"tapX":0,"tapY":0,"bannerY":)" +
            zeros(9) + R"(,"tileGrid":{"tile":)" + tiles + R"(,"cellLeft":)" + tiles + R"(,"cellTop":)" +
            tiles + R"(},"lightGrid":{"lit":)" + lights + R"(,"cellLeft":)" + lights + R"(,"cellTop":)" +
            lights +
            R"(},"fixedColumn":0,"fixedRow":0,"blankCol":0,"blankRow":0,"presents":0,)"
            R"("undo":0,"redo":0,"cursor":null,"grabbed":0,"hint":null,"moves":0,"time":0,"gameId":null,"said":""})");
}

}  // namespace
}  // namespace tessel::replay
