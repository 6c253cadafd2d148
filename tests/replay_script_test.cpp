#include <gtest/gtest.h>

#include "tools/replay/script.h"
#include "tools/replay/state_json.h"

namespace tessel::replay {
namespace {

TEST(ReplayScript, ReadsCommandsWithCommentsAndSpacing) {
    EXPECT_EQ(ParseLine("").kind, CommandKind::None);
    EXPECT_EQ(ParseLine("   \t ").kind, CommandKind::None);
    EXPECT_EQ(ParseLine("# tap 1 2").kind, CommandKind::None);
    EXPECT_EQ(ParseLine("\r").kind, CommandKind::None);

    const Command tap = ParseLine("\ttap  86\t65   # the Normal label\r");
    EXPECT_EQ(tap.kind, CommandKind::Tap);
    EXPECT_EQ(tap.x, 86);
    EXPECT_EQ(tap.y, 65);

    const Command tick = ParseLine("tick 4294967295");
    EXPECT_EQ(tick.kind, CommandKind::Tick);
    EXPECT_EQ(tick.ticks, 4294967295u);
    EXPECT_EQ(ParseLine("tick 007").ticks, 7u);
    EXPECT_EQ(ParseLine("splash#done").kind, CommandKind::Splash);
    EXPECT_EQ(ParseLine("tap 65535 0").x, 65535);
}

TEST(ReplayScript, RejectsWhatIsNotACommand) {
    for (const char* line : {"tick", "tick 1 2", "tick -1", "tick +1", "tick 4294967296", "tick 1e3",
                             "tick 0x10", "tick 99999999999999999999999", "splash now", "tap 1", "tap 1 2 3",
                             "tap 65536 0", "tap 0 -1", "tap 1.5 2", "Tap 1 2", "click 1 2", "tap\v1 2"}) {
        const Command command = ParseLine(line);
        EXPECT_EQ(command.kind, CommandKind::Invalid) << line;
        EXPECT_FALSE(command.error.empty()) << line;
    }
    // Bytes that are not plain text reach the message as codes, never as control codes for the terminal.
    EXPECT_EQ(ParseLine("tap 1\x1b[2J\xff 2").error,
              R"(tap x '1\x1b[2J\xff' is not a whole number from 0 to 65535)");
}

TEST(ReplayState, PrintsEveryFieldInItsPlace) {
    auto game = std::make_unique<Game>();
    game->tileGrid.Tile(1, 2) = 9;
    game->fixedRow = 3;
    const std::string json = StateJson(*game, 7, "tap", 2);
    EXPECT_EQ(json.rfind(
                  R"({"line":7,"command":"tap","screen":1,"screenAtTap":1,"solved":0,"tapActed":0,)"
                  R"("splashPending":1,"tapX":0,"tapY":0,"bannerY":[0,0,0,0,0,0,0,0,0],"tileGrid":{"tile":[)",
                  0),
              0u);
    EXPECT_NE(json.find(R"("tile":[0,0,0,0,0,0,0,0,9,0)"), std::string::npos);  // [1][2] at 1 * 6 + 2
    EXPECT_NE(json.find(R"("fixedColumn":0,"fixedRow":3,"blankCol":0,"blankRow":0,"presents":2})"),
              std::string::npos);
    EXPECT_NE(json.find(R"("lightGrid":{"lit":[)"), std::string::npos);
}

}  // namespace
}  // namespace tessel::replay
