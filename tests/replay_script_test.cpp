#include <gtest/gtest.h>

#include "tools/replay/script.h"

namespace tessel::replay {
namespace {

TEST(ReplayScript, ReadsCommandsWithCommentsAndSpacing) {
    for (const char* line : {"", " \t ", "# tap 1 2", "\r"}) {
        EXPECT_EQ(ParseLine(line).kind, CommandKind::None);
    }
    const Command tap = ParseLine("\ttap  86\t65   # the Normal label\r");
    EXPECT_EQ(std::tuple(tap.kind, tap.x, tap.y), std::tuple(CommandKind::Tap, uint16_t{86}, uint16_t{65}));
    EXPECT_EQ(ParseLine("tick 4294967295").ticks, 4294967295u);
    EXPECT_EQ(ParseLine("tick 007").ticks, 7u);
    EXPECT_EQ(ParseLine("splash#done").kind, CommandKind::Splash);
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

}  // namespace
}  // namespace tessel::replay
