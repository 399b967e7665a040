// Windows-1251 text helpers: the one converter between the program's 8-bit text and UTF-8,
// the code page's letter case, and a compile-time helper for Russian literals in code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dravo {

namespace cp1251 {

// Unicode code points of bytes 0x80..0xFF. 0x98 has no character in the code page; it maps to
// U+0098 so that every byte survives a round trip through UTF-8.
inline constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

// The byte for a code point, or -1 when the code page has no such character.
constexpr int FromCodePoint(char32_t cp) {
    if (cp < 0x80)
        return static_cast<int>(cp);
    if (cp >= 0x0410 && cp <= 0x044F)
        return static_cast<int>(cp - 0x0410 + 0xC0);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

constexpr char32_t ToCodePoint(unsigned char b) {
    return b < 0x80 ? char32_t(b) : char32_t(kHigh[b - 0x80]);
}

namespace detail {

// Upper and lower case of one byte by the code page's Latin and Cyrillic rules.
constexpr unsigned char ComputeUpper(unsigned char b) {
    if (b >= 'a' && b <= 'z')
        return static_cast<unsigned char>(b - 32);
    if (b < 0x80)
        return b;
    const char32_t cp = ToCodePoint(b);
    char32_t up = cp;
    if (cp >= 0x0430 && cp <= 0x044F)
        up = cp - 0x20;
    else if (cp >= 0x0450 && cp <= 0x045F)
        up = cp - 0x50;
    else if (cp == 0x0491)
        up = 0x0490;
    return up == cp ? b : static_cast<unsigned char>(FromCodePoint(up));
}

constexpr unsigned char ComputeLower(unsigned char b) {
    if (b >= 'A' && b <= 'Z')
        return static_cast<unsigned char>(b + 32);
    if (b < 0x80)
        return b;
    const char32_t cp = ToCodePoint(b);
    char32_t low = cp;
    if (cp >= 0x0410 && cp <= 0x042F)
        low = cp + 0x20;
    else if (cp >= 0x0400 && cp <= 0x040F)
        low = cp + 0x50;
    else if (cp == 0x0490)
        low = 0x0491;
    return low == cp ? b : static_cast<unsigned char>(FromCodePoint(low));
}

// The case of every byte, worked out once at compile time: the letter rules above look
// characters up in the code page table, too slow for the per-letter calls of declension.
template <unsigned char (*Map)(unsigned char)>
constexpr std::array<unsigned char, 256> CaseTable() {
    std::array<unsigned char, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b)
        table[b] = Map(static_cast<unsigned char>(b));
    return table;
}

inline constexpr std::array<unsigned char, 256> kUpper = CaseTable<ComputeUpper>();
inline constexpr std::array<unsigned char, 256> kLower = CaseTable<ComputeLower>();

} // namespace detail

// Upper and lower case of one byte by the code page's Latin and Cyrillic rules.
constexpr unsigned char Upper(unsigned char b) {
    return detail::kUpper[b];
}

constexpr unsigned char Lower(unsigned char b) {
    return detail::kLower[b];
}

constexpr bool IsLetter(unsigned char b) {
    return Upper(b) != b || Lower(b) != b;
}

// Decodes one UTF-8 sequence at s[i]; advances i. Malformed bytes decode as U+FFFD, one byte each.
constexpr char32_t DecodeUtf8(std::string_view s, std::size_t &i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) {
        return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    auto bits = [&](std::size_t k) {
        return char32_t(static_cast<unsigned char>(s[i + k]) & 0x3F);
    };
    if (b0 < 0x80) {
        i += 1;
        return b0;
    }
    if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2 && cont(1)) {
        const char32_t cp = (char32_t(b0 & 0x1F) << 6) | bits(1);
        i += 2;
        return cp;
    }
    if ((b0 & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        const char32_t cp = (char32_t(b0 & 0x0F) << 12) | (bits(1) << 6) | bits(2);
        if (cp >= 0x800) {
            i += 3;
            return cp;
        }
    }
    if ((b0 & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
        const char32_t cp =
            (char32_t(b0 & 0x07) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            i += 4;
            return cp;
        }
    }
    i += 1;
    return 0xFFFD;
}

} // namespace cp1251

// windows-1251 bytes to UTF-8; every byte has a character, so this never fails.
std::string ToUtf8(std::string_view cp1251Text);
// The same, appended to out (exactly as long as it needs, no room to spare).
void AppendUtf8(std::string &out, std::string_view cp1251Text);

// UTF-8 to windows-1251; a character the code page lacks (or a malformed byte) becomes '?'.
std::string FromUtf8(std::string_view utf8Text);

// UTF-8 to windows-1251 for text that is kept (stored in a file or a database, or shown as
// typed): a character the code page cannot hold is never replaced. On such a character (or a
// malformed byte, reported as U+FFFD) returns false, leaves out as it was and sets refused to it.
bool FromUtf8Exact(std::string_view utf8Text, std::string &out, char32_t &refused);

// The message (UTF-8, for the edges) that names a character FromUtf8Exact refused. Without
// showCharacter the character is named by its code only, so that the message itself fits in
// windows-1251 (for the engine's own messages).
std::string RefusedCharacterMessage(char32_t refused, bool showCharacter = true);

// UTF-16 to windows-1251, the same way: a character the code page lacks, a surrogate pair or a
// lone surrogate becomes one '?'.
std::string FromUtf16(std::u16string_view utf16Text);

// UTF-16 to windows-1251 as FromUtf8Exact does: false on a character the code page lacks (a
// lone surrogate is refused as U+FFFD), leaving out as it was.
bool FromUtf16Exact(std::u16string_view utf16Text, std::string &out, char32_t &refused);

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);
// Equal but for letter case, by the code page's rules.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// A field of a line of tab-separated fields: backslashes, tabs and line feeds written as "\\",
// "\t" and "\n", so that the field stays on its line. A carriage return is left out (a line
// break typed on Windows is "\r\n": its "\n" stands for it), as the variable data stored with
// a registered contract has always been written. ASCII only is touched, so the same holds for
// windows-1251 and UTF-8 text.
std::string EscapedField(std::string_view text);

// Compile-time literal: "ДОГОВОР"_w is the windows-1251 bytes of the UTF-8 literal, as a view of
// static storage. A character the code page lacks fails to compile.
namespace literal_detail {
template <std::size_t N> struct Utf8Source {
    char text[N]{};
    consteval Utf8Source(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            text[i] = s[i];
    }
};

template <Utf8Source S> struct Encoded {
    static constexpr auto make() {
        std::array<char, sizeof(S.text)> out{};
        std::size_t n = 0;
        const std::string_view in(S.text, sizeof(S.text) - 1);
        for (std::size_t i = 0; i < in.size();) {
            const int b = cp1251::FromCodePoint(cp1251::DecodeUtf8(in, i));
            if (b < 0)
                throw "character outside windows-1251 in a literal";
            out[n++] = static_cast<char>(b);
        }
        return std::pair{out, n};
    }
    static constexpr auto data = make();
};
} // namespace literal_detail

inline namespace literals {
template <literal_detail::Utf8Source S> constexpr std::string_view operator""_w() {
    constexpr auto &d = literal_detail::Encoded<S>::data;
    return std::string_view(d.first.data(), d.second);
}
} // namespace literals

} // namespace dravo
