#include "text.h"

namespace dravo {

std::string ToUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size() * 2);
    for (const char c : in) {
        const char32_t cp = cp1251::ToCodePoint(static_cast<unsigned char>(c));
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
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
