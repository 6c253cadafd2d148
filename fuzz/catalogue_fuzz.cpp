// Arbitrary bytes read as a language's compiled catalogue, as a damaged install or a stored download might
// hold them. They are refused with a reason, or read into a catalogue whose every form is whole UTF-8 and
// which then says the counts line and the moves said aloud for counts that try each plural form. Anything
// else aborts with what went wrong.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "game/catalogue.h"
#include "game/compiled_catalogue.h"
#include "game/words.h"

using namespace tessel;

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    std::optional<CompiledCatalogue> catalogue = ReadCompiledCatalogue(bytes, error);
    if (!catalogue) {
        if (error.empty()) Fail("a refused catalogue gave no reason");
        return 0;
    }
    UseTranslation(std::move(catalogue));
    for (const uint64_t count : {0ull, 1ull, 2ull, 3ull, 11ull, 22ull, 101ull, 1000001ull, ~0ull}) {
        if (Say(msg::COUNTS_LINE, static_cast<int64_t>(count), "1:12").empty()) Fail("an empty counts line");
        Say(msg::MOVES_AND_TIME, static_cast<int64_t>(count), "12 s");
    }
    UseTranslation(std::nullopt);
    return 0;
}
