// Test helpers: tables are written in UTF-8 and compared in UTF-8 so that failures read well.
#pragma once

#include "core/text.h"

#include <string>
#include <string_view>

namespace dravo::test {

inline std::string W(std::string_view utf8) {
    return FromUtf8(utf8);
}

inline std::string U(std::string_view cp1251) {
    return ToUtf8(cp1251);
}

// Runs of blanks collapsed to one, as the page shows them.
inline std::string Collapse(std::string_view s) {
    std::string out;
    for (const char c : s)
        if (c != ' ' || out.empty() || out.back() != ' ')
            out += c;
    return out;
}

} // namespace dravo::test
