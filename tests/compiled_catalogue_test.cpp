// A compiled catalogue read as the build makes it from a PO file, and files that are not one.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "game/compiled_catalogue.h"

namespace tessel {
namespace {

std::string SampleBytes() {
    std::ifstream file(TESSEL_SAMPLE_CATALOGUE, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(CompiledCatalogue, FindsMessagesByContextWithTheirPluralForms) {
    std::string error;
    auto catalogue = ReadCompiledCatalogue(SampleBytes(), error);
    ASSERT_TRUE(catalogue) << error;
    using Forms = std::vector<std::string>;
    EXPECT_EQ(*catalogue->Find("said aloud", "menu"), Forms{"menu gier"});
    EXPECT_EQ(*catalogue->Find("", "menu"), Forms{"menu"});
    EXPECT_EQ(*catalogue->Find("", "%1 move"), (Forms{"%1 ruch", "%1 ruchy", "%1 ruchów"}));
    EXPECT_EQ(catalogue->plural.FormFor(22), 1u);
    // Letters of the window and those escaped from it come back as they were written.
    EXPECT_EQ(*catalogue->Find("", "“%1” solved"), Forms{"„%1” ułożona"});
    // Fuzzy and untranslated messages, and those of no catalogue, are left to English.
    EXPECT_FALSE(catalogue->Find("", "let go"));
    EXPECT_FALSE(catalogue->Find("", "no game"));
    EXPECT_FALSE(catalogue->Find("counts line", "menu"));
}

TEST(CompiledCatalogue, DamagedFilesAreRefusedWithAReason) {
    const std::string bytes = SampleBytes();
    std::string error;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        error.clear();
        EXPECT_FALSE(ReadCompiledCatalogue(std::string_view(bytes).substr(0, size), error)) << size;
        EXPECT_FALSE(error.empty()) << size;
    }
    auto refusal = [&error](std::string broken) {
        error.clear();
        return ReadCompiledCatalogue(broken, error) ? std::string("read") : error;
    };
    auto changed = [&bytes](std::string_view from, std::string_view to) {
        std::string broken = bytes;
        return broken.replace(broken.find(from), from.size(), to);
    };
    EXPECT_EQ(refusal(changed("nplurals=3", "nplurals=x")), "the catalogue's Plural-Forms do not read");
    EXPECT_EQ(refusal(changed("ruchy", std::string("ruch\0y", 6))),
              "a message of the catalogue has another number of forms than its rule");
    // The sample's Polish letters are a byte each, and its quotation marks escaped as UTF-8.
    EXPECT_EQ(refusal(changed("\x02\xe2", "\x02\xff")), "the catalogue is not in UTF-8");
    EXPECT_EQ(refusal(changed("\x02\xe2\x80\x9d", "\x02\xe2\x80")), "the catalogue is not in UTF-8");
    std::string narrow = bytes;
    narrow[4 + 2 + static_cast<unsigned char>(bytes[4]) + 4] = 0x40;
    EXPECT_EQ(refusal(narrow), "the catalogue's letters have no window they fit");
    EXPECT_EQ(refusal(bytes + "x"), "the catalogue goes on past its messages");
    EXPECT_EQ(refusal(changed("TSC2", "TSC1")), "not a compiled catalogue of this game");
    EXPECT_EQ(refusal("# a PO file, not its compiled form\n"), "not a compiled catalogue of this game");
}

}  // namespace
}  // namespace tessel
