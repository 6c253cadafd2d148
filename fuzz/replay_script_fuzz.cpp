// Arbitrary bytes through the replay script reader, line by line as tessel-replay reads a script. Every
// line is read as a command, a blank line or an error; an error always has its message, one short line of
// plain text whatever bytes the line held.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/replay/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace tessel::replay;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const Command command = ParseLine(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        const bool plain = std::all_of(command.error.begin(), command.error.end(),
                                       [](char c) { return c >= ' ' && c <= '~'; });
        if ((command.kind == CommandKind::Invalid) == command.error.empty() || command.error.size() > 256 ||
            !plain) {
            std::abort();
        }
    }
    return 0;
}
