#include "russian/numbers.h"

#include "core/text.h"
#include "russian/strings.h"

#include <array>
#include <cstring>

namespace dravo {

using namespace literals;
using namespace russian_detail;

namespace {

constexpr std::array<std::string_view, 20> kUnits = {
    ""_w,           "один"_w,        "два"_w,        "три"_w,          "четыре"_w,
    "пять"_w,       "шесть"_w,       "семь"_w,       "восемь"_w,       "девять"_w,
    "десять"_w,     "одиннадцать"_w, "двенадцать"_w, "тринадцать"_w,   "четырнадцать"_w,
    "пятнадцать"_w, "шестнадцать"_w, "семнадцать"_w, "восемнадцать"_w, "девятнадцать"_w};

constexpr std::array<std::string_view, 10> kTens = {
    ""_w,          "десять"_w,     "двадцать"_w,  "тридцать"_w,    "сорок"_w,
    "пятьдесят"_w, "шестьдесят"_w, "семьдесят"_w, "восемьдесят"_w, "девяносто"_w};

constexpr std::array<std::string_view, 10> kHundreds = {
    ""_w,        "сто"_w,      "двести"_w,  "триста"_w,    "четыреста"_w,
    "пятьсот"_w, "шестьсот"_w, "семьсот"_w, "восемьсот"_w, "девятьсот"_w};

// Units replaced in the ordinal modes (index 1-4 and 7-9); the rest keep their cardinal word and
// take the final ending rule.
struct OrdinalUnit {
    int index;
    std::string_view neuter;
    std::string_view genitive;
};
constexpr std::array<OrdinalUnit, 7> kOrdinalUnits = {{
    {1, "первое"_w, "первого"_w},
    {2, "второе"_w, "второго"_w},
    {3, "третье"_w, "третьего"_w},
    {4, "четвертое"_w, "четвертого"_w},
    {7, "седьмое"_w, "седьмого"_w},
    {8, "восьмое"_w, "восьмого"_w},
    {9, "девятое"_w, "девятого"_w},
}};

// Scale words of the billions, millions and thousands groups: form for 1, for 2-4, for the rest.
constexpr std::array<std::array<std::string_view, 3>, 3> kScales = {{
    {" миллиард "_w, " миллиарда "_w, " миллиардов "_w},
    {" миллион "_w, " миллиона "_w, " миллионов "_w},
    {" тысяча "_w, " тысячи "_w, " тысяч "_w},
}};

} // namespace

std::string NumberInWords(std::string_view text, WordsMode mode) {
    if (mode != OrdinalNeuter && mode != OrdinalGenitive)
        mode = Cardinal;

    std::array<std::string_view, 20> units = kUnits;
    if (mode != Cardinal)
        for (const OrdinalUnit &o : kOrdinalUnits)
            units[o.index] = mode == OrdinalNeuter ? o.neuter : o.genitive;

    std::string_view number = Trim(text);
    if (number.find('.') != std::string_view::npos)
        number = Cut(number, 3);

    // Left-padded to twelve characters; a longer text is read by its first twelve.
    std::array<int, 12> d{};
    const std::size_t pad = number.size() < 12 ? 12 - number.size() : 0;
    for (std::size_t i = pad; i < 12; ++i) {
        const char c = number[i - pad];
        d[i] = (c >= '0' && c <= '9') ? c - '0' : 0;
    }

    // Scale words are chosen from the digits as read, before the teens are folded.
    std::array<std::string_view, 3> scale;
    for (int g = 0; g < 3; ++g) {
        const int h = d[g * 3], t = d[g * 3 + 1], u = d[g * 3 + 2];
        if (h == 0 && t == 0 && u == 0)
            scale[g] = g == 0 ? std::string_view() : std::string_view(" ");
        else if (u == 1 && t != 1)
            scale[g] = kScales[g][0];
        else if (u >= 2 && u <= 4 && t != 1)
            scale[g] = kScales[g][1];
        else
            scale[g] = kScales[g][2];
    }
    for (int g = 0; g < 4; ++g)
        if (d[g * 3 + 1] == 1) {
            d[g * 3 + 2] += 10;
            d[g * 3 + 1] = 0;
        }

    // Built in a local buffer (at most 4 groups of hundreds, tens, units and a scale word) and
    // copied out once, trimmed. The thousands take the feminine "одна", "две" in place of "один",
    // "два" (and of "первого", "второго" in the genitive ordinal).
    char buffer[256];
    std::size_t n = 0;
    const auto put = [&](std::string_view word) {
        if (word.empty()) // an empty table entry has no data pointer at all
            return;
        std::memcpy(buffer + n, word.data(), word.size());
        n += word.size();
    };
    for (int g = 0; g < 4; ++g) {
        put(kHundreds[static_cast<std::size_t>(d[g * 3])]);
        buffer[n++] = ' ';
        put(kTens[static_cast<std::size_t>(d[g * 3 + 1])]);
        buffer[n++] = ' ';
        const int unit = d[g * 3 + 2];
        if (g == 2 && mode != OrdinalNeuter && (unit == 1 || unit == 2))
            put(unit == 1 ? "одна"_w : "две"_w);
        else
            put(units[static_cast<std::size_t>(unit)]);
        if (g < 3)
            put(scale[static_cast<std::size_t>(g)]);
    }
    const std::string_view trimmed = Trim(std::string_view(buffer, n));

    const char softSign = "ь"_w[0];
    const bool ending = mode != Cardinal && !trimmed.empty() && trimmed.back() == softSign;
    std::string out;
    out.reserve(trimmed.size() + 3);
    out.append(ending ? Cut(trimmed, 1) : trimmed);
    if (ending)
        out += mode == OrdinalNeuter ? "ое"_w : "ого"_w;
    return out;
}

} // namespace dravo
