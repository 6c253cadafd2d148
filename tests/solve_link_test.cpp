#include "game/solve_link.h"

#include <gtest/gtest.h>

#include <random>

#include "game/game_id.h"

namespace tessel {
namespace {

LoggedSolve SolveOf(std::string id, std::vector<TimedTap> taps) {
    LoggedSolve solve;
    solve.gameId = std::move(id);
    if (const ReadGameId read = ParseGameId(solve.gameId); read.id)
        solve.puzzle = GameIdName(*read.id->puzzle);
    solve.moves = static_cast<uint32_t>(taps.size());
    solve.ms = taps.empty() ? 0 : taps.back().ms;
    solve.taps = std::move(taps);
    return solve;
}

// Whatever the moves and their times, a link reads back as the very solve: every tap on the picture, the
// times from none between two moves to 49 days in all, on every form of ID. It is safe in a web address
// and reads the same from one (after "#"), with blanks around it and the ID in capitals.
TEST(SolveLink, ReadsBackAsTheSolveItWasWrittenFrom) {
    std::mt19937 random(47);
    const std::vector<std::string> ids = {"normal-4297", "unmovable-2-3-0", "15-puzzle-1999999999",
                                          "lights-out-2026-12-09", "almost-impossible-9999-12-31"};
    const uint32_t gaps[] = {0, 1, 31, 32, 1023, 1024, 32767, 32768, 1u << 30};
    for (const std::string& id : ids) {
        std::vector<TimedTap> taps;
        uint32_t ms = 0;
        for (int i = 0; i < 400; ++i) {
            ms += i < 9 ? gaps[i] : random() % 5000;
            taps.push_back(
                {static_cast<uint16_t>(random() % 239), static_cast<uint16_t>(random() % 267), ms});
        }
        taps.push_back({0, 0, ms}), taps.push_back({238, 266, UINT32_MAX});
        const LoggedSolve solve = SolveOf(id, taps);
        const std::string link = WriteSolveLink(solve);
        EXPECT_EQ(link.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_."),
                  std::string::npos);
        for (const std::string& written : {link, "  https://example.org/tessel/#" + link + "\n",
                                           link.substr(0, 3) == "nor" ? "NORMAL" + link.substr(6) : link}) {
            const ReadSolveLink read = ParseSolveLink(written);
            ASSERT_TRUE(read.solve.has_value()) << read.error;
            EXPECT_TRUE(*read.solve == solve) << id;  // its ID, moves, time (49 days) and every tap
        }
    }
}

// A link is short: a move made in under a second takes five characters, the first move, at 0, four.
TEST(SolveLink, AQuickMoveTakesFiveCharacters) {
    std::vector<TimedTap> taps;
    for (uint32_t i = 0; i < 100; ++i) taps.push_back({200, 97, i * 900});
    EXPECT_EQ(WriteSolveLink(SolveOf("normal-4297", taps)).size(),
              std::string("normal-4297.1.").size() + 5 * 100 - 1);
}

// A tap beyond the picture's edge is the tap on the edge, which acts alike; a move timed before the one
// ahead of it (never made by the game) counts as played with it. A solve whose board has no ID, or whose
// oldest moves are gone, has no link.
TEST(SolveLink, WhatALinkCannotHold) {
    const LoggedSolve off = SolveOf("normal-1", {{300, 97, 0}, {10, 999, 500}, {5, 5, 200}});
    EXPECT_EQ(ParseSolveLink(WriteSolveLink(off)).solve->taps,
              (std::vector<TimedTap>{{238, 97, 0}, {10, 266, 500}, {5, 5, 500}}));
    EXPECT_EQ(WriteSolveLink(SolveOf("", {{1, 1, 0}})), "");
    LoggedSolve dropped = SolveOf("normal-1", {{1, 1, 0}});
    dropped.moves = 2;
    EXPECT_EQ(WriteSolveLink(dropped), "");
}

// Anything that is no link is refused with one line naming what is wrong.
TEST(SolveLink, RefusesWhatIsNoLinkInOneLine) {
    const std::pair<std::string, const char*> refused[] = {
        {"", "no solve link"},
        {" # ", "no solve link"},
        {"normal-4297", "does not read GAME-ID.FORM.MOVES"},
        {"normal-4297.1", "does not read GAME-ID.FORM.MOVES"},
        {"normal-4297.1.", "holds no moves"},
        {"normol-4297.1.AAAA", "names no puzzle"},
        {"normal-1999-01-01.1.AAAA", "2000-01-01 to 9999-12-31"},
        {"normal-4297.2.AAAA", "is of form '2'; this version reads form 1"},
        {"normal-4297..AAAA", "is of form ''"},
        {"normal-4297.1.AAA", "move 1 is cut short"},
        {"normal-4297.1.AAAAAA", "move 2 is cut short"},
        {"normal-4297.1.AAAh", "move 1 is cut short"},
        {"normal-4297.1.AA!A", "hold '!', which no link holds"},
        {"normal-4297.1.AAA.A", "hold '.'"},
        {"normal-4297.1.AAA A", "hold ' '"},
        {"normal-4297.1.AAA\xc3\xa9", "hold '?'"},
        {"normal-4297.1.__AA", "move 1 taps off the picture"},
        {"normal-4297.1.AAAgB", "move 1's time starts with a zero digit"},
        {"normal-4297.1.AAA______f", "past 49 days"},
        {"normal-4297.1.AAAD" + std::string(10001 * 4 - 4, 'A'), "more than 10000 moves"},
    };
    for (const auto& [text, why] : refused) {
        const ReadSolveLink read = ParseSolveLink(text);
        EXPECT_FALSE(read.solve.has_value()) << text;
        EXPECT_NE(read.error.find(why), std::string::npos) << text.substr(0, 30) << ": " << read.error;
        EXPECT_LE(read.error.size(), 200u) << text;
        for (const char c : read.error) EXPECT_TRUE(c >= ' ' && c <= '~') << text << ": " << read.error;
    }
}

}  // namespace
}  // namespace tessel
