// Run by the web build under node: prints the looks "As the system" gives, as look.js takes them, so
// that the page decides before its body is painted with the game's own rule (game/system_look.h):
// [[none, dark], [more contrast, more contrast and dark]].
#include <cstdio>
#include <string_view>

#include "core/looks.h"
#include "game/system_look.h"

namespace {

void PrintLook(bool dark, bool moreContrast) {
    const std::string_view name =
        tessel::LookName(tessel::SystemLook({.dark = dark, .moreContrast = moreContrast}));
    std::printf("'%.*s'", static_cast<int>(name.size()), name.data());
}

}  // namespace

int main() {
    std::printf("[");
    for (const bool moreContrast : {false, true}) {
        std::printf(moreContrast ? ", [" : "[");
        PrintLook(false, moreContrast);
        std::printf(", ");
        PrintLook(true, moreContrast);
        std::printf("]");
    }
    std::printf("]\n");
}
