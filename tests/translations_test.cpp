// The shipped languages as the game speaks them: each catalogue found where the programs look, its plural
// forms right for the counts a player meets, and English where a catalogue cannot be had.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "game/catalogue.h"
#include "game/languages.h"
#include "game/statistics_page.h"

namespace tessel {
namespace {

struct InLanguage {
    explicit InLanguage(std::string_view code) {
        std::string error;
        loaded = UseInstalledLanguage(TESSEL_PROGRAM_DIR, code, error);
        EXPECT_TRUE(loaded) << error;
    }
    ~InLanguage() {
        std::string error;
        UseLanguage("en", {}, error);
    }
    InLanguage(const InLanguage&) = delete;
    InLanguage& operator=(const InLanguage&) = delete;
    bool loaded = false;
};

constexpr std::array<int, 6> COUNTS{0, 1, 2, 5, 22, 101};

template <typename... Rest>
std::array<std::string, 6> Said(const Message& message, const Rest&... rest) {
    std::array<std::string, 6> lines;
    for (std::size_t i = 0; i < COUNTS.size(); ++i) lines[i] = Say(message, COUNTS[i], rest...);
    return lines;
}

// Polish and Russian have three forms (Russian's 101 is 1's), Arabic six (its 1 and 2 say the count in
// words), Japanese one: on the counts line and in what a screen reader hears after a move on "Lights out".
TEST(Translations, CountsTakeEachLanguagesPluralForms) {
    struct Case {
        const char* code;
        std::array<std::string, 6> counts;
        std::array<std::string, 6> lightsOn;
    };
    const Case cases[] = {
        {"pl",
         {"0 ruchów, 1:12", "1 ruch, 1:12", "2 ruchy, 1:12", "5 ruchów, 1:12", "22 ruchy, 1:12",
          "101 ruchów, 1:12"},
         {"0 świateł włączonych", "1 światło włączone", "2 światła włączone", "5 świateł włączonych",
          "22 światła włączone", "101 świateł włączonych"}},
        {"ru",
         {"0 ходов, 1:12", "1 ход, 1:12", "2 хода, 1:12", "5 ходов, 1:12", "22 хода, 1:12", "101 ход, 1:12"},
         {"горит 0 огоньков", "горит 1 огонёк", "горят 2 огонька", "горит 5 огоньков", "горят 22 огонька",
          "горит 101 огонёк"}},
        {"ar",
         {"0 نقلة، 1:12", "نقلة واحدة، 1:12", "نقلتان، 1:12", "5 نقلات، 1:12", "22 نقلة، 1:12",
          "101 نقلة، 1:12"},
         {"لا ضوء مضاء", "ضوء واحد مضاء", "ضوءان مضاءان", "5 أضواء مضاءة", "22 ضوءًا مضاءً", "101 ضوء مضاء"}},
        {"ja",
         {"0手、1:12", "1手、1:12", "2手、1:12", "5手、1:12", "22手、1:12", "101手、1:12"},
         {"0個点灯中", "1個点灯中", "2個点灯中", "5個点灯中", "22個点灯中", "101個点灯中"}},
    };
    for (const Case& c : cases) {
        const InLanguage language(c.code);
        EXPECT_EQ(LanguageInUse(), c.code);
        EXPECT_EQ(Said(msg::COUNTS_LINE, "1:12"), c.counts) << c.code;
        EXPECT_EQ(Said(msg::LIGHTS_ON), c.lightsOn) << c.code;
    }
    EXPECT_EQ(Said(msg::COUNTS_LINE, "1:12")[1], "1 move, 1:12");  // English again after each
}

// The statistics' times with the language's decimal separator: a comma in German, a point in Japanese.
TEST(Translations, TimesTakeTheLanguagesDecimalSeparator) {
    EXPECT_EQ(StatTime(72350), "1:12.35");
    {
        const InLanguage german("de");
        EXPECT_EQ(StatTime(72350), "1:12,35");
        EXPECT_EQ(StatTime(3723400), "1:02:03,40");
    }
    const InLanguage japanese("ja");
    EXPECT_EQ(StatTime(830), "0.83");
}

TEST(Translations, EveryLanguageIsFoundAndSaysItsOwnWords) {
    for (const Language& language : LANGUAGES) {
        const InLanguage in(language.code);
        EXPECT_NE(Say(msg::HOW_TO_PLAY), "How to play") << language.code;
        EXPECT_NE(Say(msg::CLEARED_IN, 23, Say(msg::SECONDS, 12)), "cleared in 23 moves, 12 seconds")
            << language.code;
    }
}

TEST(Translations, ACatalogueThatCannotBeHadLeavesEnglish) {
    std::string error;
    EXPECT_FALSE(UseInstalledLanguage("/nonexistent/bin", "de", error));
    EXPECT_EQ(error, "the de catalogue is missing");
    EXPECT_EQ(LanguageInUse(), "en");
    EXPECT_FALSE(UseLanguage("de", "TSC2 damaged", error));
    EXPECT_EQ(LanguageInUse(), "en");
    EXPECT_EQ(Say(msg::HOW_TO_PLAY), "How to play");
    EXPECT_FALSE(UseInstalledLanguage(TESSEL_PROGRAM_DIR, "tlh", error));
    EXPECT_EQ(error, "no language tlh here");
}

}  // namespace
}  // namespace tessel
