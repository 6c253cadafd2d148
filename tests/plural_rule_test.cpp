// The plural rules as the catalogues' headers give them, and headers that do not read.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "game/plural_rule.h"

namespace tessel {
namespace {

constexpr std::array<uint64_t, 6> COUNTS{0, 1, 2, 5, 22, 101};

std::array<std::size_t, 6> FormsOf(const PluralRule& rule) {
    std::array<std::size_t, 6> forms{};
    for (std::size_t i = 0; i < COUNTS.size(); ++i) forms[i] = rule.FormFor(COUNTS[i]);
    return forms;
}

// The forms of 0, 1, 2, 5, 22 and 101 as each language's grammar has them: Polish "0 ruchów, 1 ruch,
// 2 ruchy, 5 ruchów, 22 ruchy, 101 ruchów"; Russian "0 ходов, 1 ход, 2 хода, 5 ходов, 22 хода, 101 ход";
// Arabic's zero, one, two, few (3-10), many (11-99) and other (100-102) forms; Japanese's one form.
TEST(PluralRule, HeadersOfTheLanguagesPickTheirGrammarsForms) {
    struct Case {
        const char* header;
        std::size_t forms;
        std::array<std::size_t, 6> expected;
    };
    const Case cases[] = {
        {"nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);",
         3,
         {2, 0, 1, 2, 1, 2}},
        {"nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : "
         "2);",
         3,
         {2, 0, 1, 2, 1, 0}},
        {"nplurals=6; plural=(n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : n%100>=11 ? 4 : "
         "5);",
         6,
         {0, 1, 2, 3, 4, 5}},
        {"nplurals=1; plural=0;", 1, {0, 0, 0, 0, 0, 0}},
        {"nplurals=2; plural=(n > 1);", 2, {0, 0, 1, 1, 1, 1}},  // French and Brazilian Portuguese
        {"nplurals=2; plural=(n != 1);", 2, {1, 0, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        auto rule = PluralRule::FromHeader(c.header);
        ASSERT_TRUE(rule) << c.header;
        EXPECT_EQ(rule->forms(), c.forms) << c.header;
        EXPECT_EQ(FormsOf(*rule), c.expected) << c.header;
    }
    EXPECT_EQ(FormsOf(PluralRule()), (std::array<std::size_t, 6>{1, 0, 1, 1, 1, 1}));  // English
}

TEST(PluralRule, ArithmeticFollowsCsPrecedence) {
    auto rule = PluralRule::Parse("!(n - 1) ? 3 : 1 + 2 * n % 3 == 1 || 0 && 1", 4);
    ASSERT_TRUE(rule);
    // n = 1: !(0) is true, so 3. n = 3: 1 + (6 % 3) == 1 is true, so 1. n = 2: 1 + (4 % 3) == 2, so 0.
    EXPECT_EQ(rule->FormFor(1), 3u);
    EXPECT_EQ(rule->FormFor(3), 1u);
    EXPECT_EQ(rule->FormFor(2), 0u);
}

TEST(PluralRule, FormsTheLanguageLacksAndDivisionByZeroGiveTheFirstForm) {
    EXPECT_EQ(PluralRule::Parse("n", 3)->FormFor(7), 0u);
    EXPECT_EQ(PluralRule::Parse("n", 3)->FormFor(2), 2u);
    EXPECT_EQ(PluralRule::Parse("1 + 10 / (n - 4)", 3)->FormFor(4), 0u);
    EXPECT_EQ(PluralRule::Parse("n % 0 ? 2 : 1", 3)->FormFor(9), 0u);
}

TEST(PluralRule, HeadersThatDoNotReadAreRefused) {
    const char* bad[] = {
        "",
        "nplurals=2;",
        "plural=n != 1;",
        "nplurals=two; plural=n != 1;",
        "nplurals=0; plural=0;",
        "nplurals=2; plural=n !=;",
        "nplurals=2; plural=(n != 1;",
        "nplurals=2; plural=n ? 1;",
        "nplurals=2; plural=m != 1;",
        "nplurals=2; plural=n != 1 1;",
        "nplurals=2; plural=;",
    };
    for (const char* header : bad) EXPECT_FALSE(PluralRule::FromHeader(header)) << header;
    std::string deep = std::string(500, '(') + "n" + std::string(500, ')');
    EXPECT_FALSE(PluralRule::Parse(deep, 2));
    std::string negations = std::string(500, '!') + "n";
    EXPECT_FALSE(PluralRule::Parse(negations, 2));
}

}  // namespace
}  // namespace tessel
