#include "game/words.h"

#include <gtest/gtest.h>

#include "game/catalogue.h"
#include "puzzles/puzzle_table.h"

namespace tessel {
namespace {

// A language with three plural forms (one; two to four; the rest), as Polish's Plural-Forms gives them,
// kept to the numbers these cases use.
CompiledCatalogue ThreeForms() {
    CompiledCatalogue translation;
    translation.plural = *PluralRule::Parse("n == 1 ? 0 : n >= 2 && n <= 4 ? 1 : 2", 3);
    auto add = [&translation](std::string_view context, std::string_view english,
                              std::vector<std::string> forms) {
        translation.forms[translation.KeyHash(context, english)] = std::move(forms);
    };
    // The counts line and the moves said aloud are one English text in two contexts.
    add("counts line", "%1 move, %2", {"%2 | %1 ruch", "%2 | %1 ruchy", "%2 | %1 ruchów"});
    add("said aloud", "%1 move, %2", {"%1 said"});  // its other forms missing
    add("", "%1 second", {"%1 sekunda", "%1 sekundy", "%1 sekund"});
    add("", "Normal", {"Zwykła"});
    return translation;
}

struct InTranslation {
    explicit InTranslation(CompiledCatalogue translation) { UseTranslation(std::move(translation)); }
    ~InTranslation() { UseTranslation(std::nullopt); }
    InTranslation(const InTranslation&) = delete;
    InTranslation& operator=(const InTranslation&) = delete;
};

// English: the singular for one, the plural for every other count, numbers in their places.
TEST(Words, EnglishCountsAndArguments) {
    EXPECT_EQ(Say(msg::COUNTS_LINE, 0, "0:00"), "0 moves, 0:00");
    EXPECT_EQ(Say(msg::COUNTS_LINE, 1, "0:07"), "1 move, 0:07");
    EXPECT_EQ(Say(msg::COUNTS_LINE, 22, "1:12"), "22 moves, 1:12");
    // The form follows the first number among the arguments, wherever the text puts it.
    EXPECT_EQ(Say(msg::RECORD_SOLVED, "Normal", 1), "Normal: 1 solved");
    EXPECT_EQ(Say(msg::RECORD_BEST, "Normal", 5, 23, "1:12"),
              "Normal: 5 solved, fewest moves 23, shortest 1:12");
    EXPECT_EQ(Say(msg::CLEARED_WITH_HINTS, 2, "4 seconds", Say(msg::HINTS_TAKEN, 1)),
              "cleared in 2 moves, 4 seconds, with 1 hint");
}

// A translation supplies its own forms and plural rule, puts the arguments in its order, tells apart the
// contexts of one English text, and leaves what it lacks in English.
TEST(Words, TranslationFormsOrderAndFallback) {
    const InTranslation polish(ThreeForms());
    EXPECT_EQ(Say(msg::COUNTS_LINE, 1, "0:07"), "0:07 | 1 ruch");
    EXPECT_EQ(Say(msg::COUNTS_LINE, 3, "0:07"), "0:07 | 3 ruchy");
    EXPECT_EQ(Say(msg::COUNTS_LINE, 5, "0:07"), "0:07 | 5 ruchów");
    EXPECT_EQ(Say(msg::MOVES_AND_TIME, 1, "x"), "1 said");
    EXPECT_EQ(Say(msg::MOVES_AND_TIME, 5, "x"), "5 moves, x");  // a form it lacks
    EXPECT_EQ(Say(msg::SECONDS, 22), "22 sekund");
    EXPECT_EQ(Say(msg::MINUTES, 2), "2 minutes");
    EXPECT_EQ(Say(msg::LET_GO), "let go");
    EXPECT_EQ(PuzzleName(*FindPuzzle(SCREEN_NORMAL)), "Zwykła");
}

}  // namespace
}  // namespace tessel
