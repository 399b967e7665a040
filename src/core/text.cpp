#include "text.h"

#include <cstdio>
#include <cstring>

namespace dravo {

namespace {

// The UTF-8 of every byte: its length and up to three bytes, built once at compile time.
struct Utf8Of {
    unsigned char length;
    char bytes[3];
};

constexpr std::array<Utf8Of, 256> MakeUtf8Table() {
    std::array<Utf8Of, 256> table{};
    for (unsigned b = 0; b < 256; ++b) {
        const char32_t cp = cp1251::ToCodePoint(static_cast<unsigned char>(b));
        Utf8Of &u = table[b];
        if (cp < 0x80) {
            u = {1, {static_cast<char>(cp), 0, 0}};
        } else if (cp < 0x800) {
            u = {2,
                 {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0}};
        } else {
            u = {3,
                 {static_cast<char>(0xE0 | (cp >> 12)),
                  static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                  static_cast<char>(0x80 | (cp & 0x3F))}};
        }
    }
    return table;
}

constexpr std::array<Utf8Of, 256> kUtf8Of = MakeUtf8Table();

} // namespace

namespace {

// Whether the eight bytes at p are plain ASCII.
bool AsciiWord(const char *p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return (word & 0x8080808080808080ULL) == 0;
}

// The length of the UTF-8 of in: one byte more for each byte from 0x80, two more for the few
// whose characters take three bytes (all below 0xC0, where the Cyrillic letters start). Counted
// eight bytes at a time.
std::size_t Utf8Length(std::string_view in) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    std::size_t length = in.size();
    const char *p = in.data();
    const char *const end = p + in.size();
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t high = word & kHighBits;
        if (high == 0)
            continue;
        length += static_cast<std::size_t>(((high >> 7) * kOnes) >> 56);
        // Bytes 0x80..0xBF: the high bit without the next one.
        if ((high & ~(word << 1)) != 0)
            for (int k = 0; k < 8; ++k)
                length += kUtf8Of[static_cast<unsigned char>(p[k])].length == 3;
    }
    for (; p != end; ++p)
        length += kUtf8Of[static_cast<unsigned char>(*p)].length - 1u;
    return length;
}

} // namespace

void AppendUtf8(std::string &out, std::string_view in) {
    // The exact length first, so that a large page touches no more memory than its UTF-8
    // needs (room for the longest result, three times the text, cost more in page faults than
    // the counting pass). Then eight bytes at a time: plain ASCII is copied as it is, other
    // bytes from the table, three bytes written for each (the room past a shorter character is
    // overwritten next). Two bytes more must follow a word for the room past its last
    // character; the last few bytes are written at their own length.
    const std::size_t start = out.size();
    out.resize(start + Utf8Length(in));
    char *o = out.data() + start;
    const char *p = in.data();
    const char *const end = p + in.size();
    for (; end - p >= 10; p += 8) {
        if (AsciiWord(p)) {
            std::memcpy(o, p, 8);
            o += 8;
            continue;
        }
        for (int k = 0; k < 8; ++k) {
            const Utf8Of &u = kUtf8Of[static_cast<unsigned char>(p[k])];
            std::memcpy(o, u.bytes, 3);
            o += u.length;
        }
    }
    for (; p != end; ++p) {
        const Utf8Of &u = kUtf8Of[static_cast<unsigned char>(*p)];
        std::memcpy(o, u.bytes, u.length);
        o += u.length;
    }
}

std::string ToUtf8(std::string_view in) {
    std::string out;
    AppendUtf8(out, in);
    return out;
}

std::string FromUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        const int b = cp1251::FromCodePoint(cp1251::DecodeUtf8(in, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

bool FromUtf8Exact(std::string_view in, std::string &out, char32_t &refused) {
    std::string converted;
    converted.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        const std::size_t at = i;
        const char32_t cp = cp1251::DecodeUtf8(in, i);
        const int b = cp1251::FromCodePoint(cp);
        // U+FFFD itself is no character of the code page either, typed or malformed.
        if (b < 0 || (cp == 0xFFFD && i == at + 1)) {
            refused = cp;
            return false;
        }
        converted += static_cast<char>(b);
    }
    out = std::move(converted);
    return true;
}

std::string RefusedCharacterMessage(char32_t refused, bool showCharacter) {
    using namespace literals;
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(refused));
    if (refused == 0xFFFD)
        return ToUtf8("Текст содержит байты, которые не являются символами UTF-8 ("_w) + code +
               ToUtf8("): такой текст не может быть сохранен"_w);
    std::string shown;
    if (showCharacter && refused >= 0x20 && !(refused >= 0x7F && refused < 0xA0)) {
        // The character itself where it can be seen: UTF-8 bytes, as the message is.
        const int extra = refused < 0x800 ? 1 : refused < 0x10000 ? 2 : 3;
        shown += static_cast<char>((extra == 1   ? 0xC0
                                    : extra == 2 ? 0xE0
                                                 : 0xF0) |
                                   (refused >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k)
            shown += static_cast<char>(0x80 | ((refused >> (6 * k)) & 0x3F));
        shown = ToUtf8("\xAB") + shown + ToUtf8("\xBB ");
    }
    return ToUtf8("Символ "_w) + shown + "(" + code +
           ToUtf8(
               ") нельзя сохранить: текст хранится в кодировке windows-1251, в которой его нет"_w);
}

std::string FromUtf16(std::u16string_view in) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char16_t u = in[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
            in[i + 1] <= 0xDFFF)
            ++i; // a character outside the basic plane: never in the code page
        const int b = (u >= 0xD800 && u <= 0xDFFF) ? -1 : cp1251::FromCodePoint(u);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

bool FromUtf16Exact(std::u16string_view in, std::string &out, char32_t &refused) {
    std::string converted;
    converted.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        char32_t cp = in[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
            in[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // a lone surrogate
        }
        const int b = cp1251::FromCodePoint(cp);
        if (b < 0) {
            refused = cp;
            return false;
        }
        converted += static_cast<char>(b);
    }
    out = std::move(converted);
    return true;
}

std::string ToUpper(std::string_view text) {
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(cp1251::Upper(static_cast<unsigned char>(c)));
    return out;
}

std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(cp1251::Lower(static_cast<unsigned char>(c)));
    return out;
}

std::string EscapedField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cp1251::Lower(static_cast<unsigned char>(a[i])) !=
            cp1251::Lower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace dravo
