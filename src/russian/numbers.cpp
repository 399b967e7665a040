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

// Ordinal stems of the round tens from forty up and of the round hundreds ("сороковое",
// "пятидесятого", "сотого", "двухсотое"); twenty and thirty take the ending on their soft sign.
constexpr std::array<std::string_view, 10> kTensOrdinalStems = {
    ""_w,           ""_w,          ""_w,
    ""_w,           "сороков"_w,   "пятидесят"_w,
    "шестидесят"_w, "семидесят"_w, "восьмидесят"_w,
    "девяност"_w};

constexpr std::array<std::string_view, 10> kHundredsOrdinalStems = {
    ""_w,        "сот"_w,      "двухсот"_w, "трехсот"_w,   "четырехсот"_w,
    "пятисот"_w, "шестисот"_w, "семисот"_w, "восьмисот"_w, "девятисот"_w};

// The first part of a round thousand's ordinal ("двухтысячного"; one thousand is "тысячного").
constexpr std::array<std::string_view, 10> kThousandsOrdinalPrefixes = {
    ""_w,     ""_w,      "двух"_w, "трех"_w,   "четырех"_w,
    "пяти"_w, "шести"_w, "семи"_w, "восьми"_w, "девяти"_w};

} // namespace

std::string NumberInWords(std::string_view text, WordsMode mode) {
    if (mode != OrdinalNeuter && mode != OrdinalGenitive)
        mode = Cardinal;

    // Only the last group takes the ordinal words; the groups before it stay cardinal
    // ("две тысячи двадцать первого").
    std::array<std::string_view, 20> units = kUnits;
    if (mode != Cardinal)
        for (const OrdinalUnit &o : kOrdinalUnits)
            units[o.index] = mode == OrdinalNeuter ? o.neuter : o.genitive;

    // The integer part ends at the first decimal point or comma, whatever follows ("1500.00",
    // "12,5" from the number keypad, "12.5"). Only its digits are read: group blanks ("12 500"),
    // a sign or a currency word around it do not shift the digits. The first twelve count.
    std::array<char, 12> read{};
    std::size_t count = 0;
    for (const char c : Trim(text)) {
        if (c == '.' || c == ',')
            break;
        if (c >= '0' && c <= '9' && count < read.size())
            read[count++] = c;
    }
    std::array<int, 12> d{};
    for (std::size_t i = 0; i < count; ++i)
        d[12 - count + i] = read[i] - '0';

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
    // copied out once, trimmed. The thousands take the feminine "одна", "две".
    char buffer[256];
    std::size_t n = 0;
    const auto put = [&](std::string_view word) {
        if (word.empty()) // an empty table entry has no data pointer at all
            return;
        std::memcpy(buffer + n, word.data(), word.size());
        n += word.size();
    };
    std::size_t thousandsUnit = 0; // where the units word of the thousands group starts
    for (int g = 0; g < 4; ++g) {
        put(kHundreds[static_cast<std::size_t>(d[g * 3])]);
        buffer[n++] = ' ';
        put(kTens[static_cast<std::size_t>(d[g * 3 + 1])]);
        buffer[n++] = ' ';
        const auto unit = static_cast<std::size_t>(d[g * 3 + 2]);
        if (g == 2) {
            thousandsUnit = n;
            put(unit == 1 ? "одна"_w : unit == 2 ? "две"_w : kUnits[unit]);
        } else {
            put(g == 3 ? units[unit] : kUnits[unit]);
        }
        if (g < 3)
            put(scale[static_cast<std::size_t>(g)]);
    }
    if (mode == Cardinal)
        return std::string(Trim(std::string_view(buffer, n)));

    // The ordinal ending goes on the last word. Units 1-4 and 7-9 already have their ordinal
    // word; a soft sign gives way to the ending ("пятое", "двадцатого"); a round ten, hundred
    // or thousand takes its ordinal stem ("сороковое", "сотого", "двухтысячного").
    const std::string_view ending = mode == OrdinalNeuter ? "ое"_w : "ого"_w;
    const int h = d[9], t = d[10], u = d[11];
    std::string_view stem;
    std::size_t stemLength = 0; // the cardinal word that the stem replaces
    if (u == 0 && t >= 4) {
        stem = kTensOrdinalStems[static_cast<std::size_t>(t)];
        stemLength = kTens[static_cast<std::size_t>(t)].size();
    } else if (u == 0 && t == 0 && h != 0) {
        stem = kHundredsOrdinalStems[static_cast<std::size_t>(h)];
        stemLength = kHundreds[static_cast<std::size_t>(h)].size();
    } else if (h == 0 && t == 0 && u == 0 && d[6] == 0 && d[7] == 0 && d[8] > 0 && d[8] < 10) {
        // A round number of thousands: "две тысячи" becomes "двухтысячного".
        n = thousandsUnit;
        put(kThousandsOrdinalPrefixes[static_cast<std::size_t>(d[8])]);
        put("тысячн"_w);
        put(ending);
        return std::string(Trim(std::string_view(buffer, n)));
    }
    const std::string_view trimmed = Trim(std::string_view(buffer, n));
    std::string out;
    out.reserve(trimmed.size() + 8);
    if (!stem.empty() && trimmed.size() >= stemLength) {
        out.append(trimmed.substr(0, trimmed.size() - stemLength));
        out.append(stem);
        out.append(ending);
    } else if (!trimmed.empty() && trimmed.back() == "ь"_w[0]) {
        out.append(Cut(trimmed, 1));
        out.append(ending);
    } else {
        out.append(trimmed);
    }
    return out;
}

} // namespace dravo
