// The looks the game can be drawn in. Each has the same 58 images on the same pixels, only in other
// colours, and a ground of its own; the classic look is the game's own and the default everywhere.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessel {

enum class Look : uint8_t {
    CLASSIC,
    HIGH_CONTRAST,  // black on white: text and outlines at least 7:1 against what they stand on
    DARK,           // the same ratios, light on a near-black ground
};
inline constexpr std::array<Look, 3> LOOKS{Look::CLASSIC, Look::HIGH_CONTRAST, Look::DARK};

// The colours a look gives what is not an image: the ground under the pictures, and the frame that the
// keyboard's cursor and the hint draw over them.
struct LookColours {
    uint32_t ground;  // the cleared back buffer, the splash's window and the margins round the picture
    // The frame's band and the line inside it. The classic images are all pale, so black shows against any
    // of them. The other looks have dark and light cell edges side by side (black rims on white, pale rims
    // on near-black), where neither black nor white would show: a magenta band does, at 3.2:1 or more
    // against everything a frame can lie beside.
    uint32_t band;
    uint32_t line;
};

inline constexpr LookColours CLASSIC_COLOURS{0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu};
inline constexpr LookColours HIGH_CONTRAST_COLOURS{0xFFFFFFFFu, 0xFFC800C8u, 0xFFFFFFFFu};
inline constexpr LookColours DARK_COLOURS{0xFF121212u, 0xFFC800C8u, 0xFFFFFFFFu};

constexpr const LookColours& ColoursOf(Look look) {
    switch (look) {
        case Look::HIGH_CONTRAST:
            return HIGH_CONTRAST_COLOURS;
        case Look::DARK:
            return DARK_COLOURS;
        case Look::CLASSIC:
            break;
    }
    return CLASSIC_COLOURS;
}

// A look's name as command lines, the page and the settings spell it: "classic", "high-contrast", "dark".
std::string_view LookName(Look look);
// The look of that name; none for any other text.
std::optional<Look> LookNamed(std::string_view name);

}  // namespace tessel
