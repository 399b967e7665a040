#include "collation.h"

#include "core/text.h"

#include <cstdint>

namespace dravo::refdata {

namespace {

// The sort weight of one code point: its lower-case form, spaced out so that "ё" can stand
// between "е" and "ж".
std::uint32_t Weight(char32_t cp) {
    if (cp >= U'A' && cp <= U'Z')
        cp += 0x20;
    else if (cp >= 0x0410 && cp <= 0x042F) // А..Я
        cp += 0x20;
    else if (cp >= 0x0400 && cp <= 0x040F) // Ѐ..Џ, Ё among them
        cp += 0x50;
    else if (cp == 0x0490) // Ґ
        cp = 0x0491;
    if (cp == 0x0451) // ё
        return 0x0435u * 2 + 1;
    return static_cast<std::uint32_t>(cp) * 2;
}

} // namespace

int RussianCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        std::uint32_t wa, wb;
        if (ca < 0x80 && cb < 0x80) { // the common case of two ASCII bytes
            wa = Weight(ca);
            wb = Weight(cb);
            ++i;
            ++j;
        } else {
            wa = Weight(cp1251::DecodeUtf8(a, i));
            wb = Weight(cp1251::DecodeUtf8(b, j));
        }
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace dravo::refdata
