// Which language a player's locale, browser or kept choice picks.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "game/languages.h"

namespace tessel {
namespace {

std::map<std::string, std::string> environment;

const char* Variable(const char* name) {
    auto it = environment.find(name);
    return it == environment.end() ? nullptr : it->second.c_str();
}

std::string_view DesktopLanguage(std::map<std::string, std::string> variables) {
    environment = std::move(variables);
    return LanguageOfWishes(LocaleWishes(Variable));
}

TEST(Languages, TheDesktopFollowsGettextsOrderOfVariables) {
    EXPECT_EQ(DesktopLanguage({{"LANG", "de_DE.UTF-8"}}), "de");
    EXPECT_EQ(DesktopLanguage({{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}), "fr");
    EXPECT_EQ(DesktopLanguage({{"LC_ALL", "ru_RU.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}), "ru");
    // LANGUAGE's list comes first, each in turn until one is spoken; not where the locale is C.
    EXPECT_EQ(DesktopLanguage({{"LANGUAGE", "gd:pt_BR:de"}, {"LANG", "de_DE.UTF-8"}}), "pt_BR");
    EXPECT_EQ(DesktopLanguage({{"LANGUAGE", "en:de"}, {"LANG", "de_DE.UTF-8"}}), "en");
    EXPECT_EQ(DesktopLanguage({{"LANGUAGE", "de"}, {"LANG", "C.UTF-8"}}), "en");
    EXPECT_EQ(DesktopLanguage({{"LANGUAGE", "de"}}), "en");
    EXPECT_EQ(DesktopLanguage({{"LANG", "sr_RS@latin"}}), "en");
    EXPECT_EQ(DesktopLanguage({}), "en");
    EXPECT_EQ(DesktopLanguage({{"LC_ALL", ""}, {"LANG", "ja_JP.UTF-8"}}), "ja");
}

TEST(Languages, LocalesAndBrowsersTagsNameTheSameLanguages) {
    const std::pair<const char*, const char*> wishes[] = {
        {"de-AT", "de"},         {"fr_CA.UTF-8", "fr"}, {"es-419", "es"},      {"pt-BR", "pt_BR"},
        {"pt_PT", "pt_BR"},      {"PL", "pl"},          {"ar_EG.UTF-8", "ar"}, {"zh-CN", "zh_CN"},
        {"zh-Hans-TW", "zh_CN"}, {"zh_SG", "zh_CN"},    {"zh", "zh_CN"},       {"en-GB", "en"},
    };
    for (auto [wish, language] : wishes) EXPECT_EQ(LanguageOfWish(wish), language) << wish;
    for (const char* lacking : {"zh-TW", "zh-Hant", "zh_HK.UTF-8", "nl-NL", "", "C", "x"})
        EXPECT_FALSE(LanguageOfWish(lacking)) << lacking;
    EXPECT_EQ(LanguageOfWishes({"zh-TW", "ja-JP", "en"}), "ja");
}

TEST(Languages, OnlyAKeptCodeOfTheGamesLanguagesIsAChoice) {
    EXPECT_EQ(KeptLanguage("pt_BR"), "pt_BR");
    EXPECT_EQ(KeptLanguage("en"), "en");
    for (const char* unreadable : {"", "system", "pt-BR", "DE", "de\n", "klingon"})
        EXPECT_FALSE(KeptLanguage(unreadable)) << unreadable;
    EXPECT_TRUE(FindLanguage("ar")->rightToLeft);
    EXPECT_FALSE(FindLanguage("ja")->rightToLeft);
}

}  // namespace
}  // namespace tessel
