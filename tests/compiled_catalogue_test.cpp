// A compiled catalogue read from msgfmt's output, and files that are not one.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "game/compiled_catalogue.h"

namespace tessel {
namespace {

std::string SampleBytes() {
    std::ifstream file(TESSEL_SAMPLE_MO, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(CompiledCatalogue, ReadsMessagesByContextAndTheirPluralForms) {
    std::string error;
    auto catalogue = ReadCompiledCatalogue(SampleBytes(), error);
    ASSERT_TRUE(catalogue) << error;
    EXPECT_EQ(catalogue->language, "pl");
    EXPECT_EQ(catalogue->forms.at(std::string("said aloud\x04menu")), std::vector<std::string>{"menu gier"});
    EXPECT_EQ(catalogue->forms.at("menu"), std::vector<std::string>{"menu"});
    EXPECT_EQ(catalogue->forms.at("%1 move"), (std::vector<std::string>{"%1 ruch", "%1 ruchy", "%1 ruchów"}));
    EXPECT_EQ(catalogue->plural.FormFor(22), 1u);
    // Fuzzy and untranslated messages are left to English.
    EXPECT_FALSE(catalogue->forms.count("let go"));
    EXPECT_FALSE(catalogue->forms.count("no game"));
}

TEST(CompiledCatalogue, DamagedFilesAreRefusedWithAReason) {
    const std::string bytes = SampleBytes();
    std::string error;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        error.clear();
        EXPECT_FALSE(ReadCompiledCatalogue(std::string_view(bytes).substr(0, size), error)) << size;
        EXPECT_FALSE(error.empty()) << size;
    }
    std::string noRule = bytes;
    std::size_t at = noRule.find("nplurals=3");
    ASSERT_NE(at, std::string::npos);
    noRule[at + 9] = 'x';
    EXPECT_FALSE(ReadCompiledCatalogue(noRule, error));
    EXPECT_EQ(error, "the catalogue's Plural-Forms do not read");

    // Every table offset pointed past the end, one at a time.
    for (std::size_t word = 2; word < 5; ++word) {
        std::string broken = bytes;
        for (std::size_t i = 0; i < 4; ++i) broken[4 * word + i] = '\x7f';
        EXPECT_FALSE(ReadCompiledCatalogue(broken, error)) << word;
    }
    EXPECT_FALSE(ReadCompiledCatalogue("# a PO file, not its compiled form\n", error));
    EXPECT_EQ(error, "not a compiled message catalogue");
}

}  // namespace
}  // namespace tessel
