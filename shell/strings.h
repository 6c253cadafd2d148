// The program's string table. The window title, the menu-bar button and the name under which a running
// copy can be found are read from here rather than written out where they are used.
#pragma once

#include <QString>

#include <array>
#include <string_view>

namespace tessel {

enum StringId : int {
    IDS_APP_TITLE = 1,
    IDS_CLASS_NAME = 3,
    IDS_TOOLS = 104,
};

struct StringEntry {
    StringId id;
    std::string_view text;
};

inline constexpr std::array<StringEntry, 3> STRING_TABLE{{
    {IDS_APP_TITLE, "Tessel"},
    {IDS_CLASS_NAME, "TESSEL"},
    {IDS_TOOLS, "Tools"},
}};

// The text of a table entry.
inline QString LoadString(StringId id) {
    for (const StringEntry& entry : STRING_TABLE) {
        if (entry.id == id)
            return QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size()));
    }
    return {};
}

}  // namespace tessel
