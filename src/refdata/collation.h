// The order in which Russian users expect names listed: alphabetical, without regard to letter
// case, with "ё" right after "е" (byte order would put every capital first and "ё" last).
#pragma once

#include <string_view>

namespace dravo::refdata {

// Compares two UTF-8 texts in Russian alphabetical order, ignoring letter case (Latin and
// Cyrillic). Texts that differ only in case compare equal. Returns <0, 0 or >0.
int RussianCompare(std::string_view a, std::string_view b);

} // namespace dravo::refdata
