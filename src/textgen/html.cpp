#include "textgen/html.h"

#include "textgen/markup.h"

#include <cmath>

#include "core/text.h"

namespace dravo::textgen {

using namespace dravo::literals;

long long WholePart(double value, long long lo, long long hi) {
    if (std::isnan(value))
        return 0;
    const double t = std::trunc(value);
    if (t < static_cast<double>(lo))
        return lo;
    if (t > static_cast<double>(hi))
        return hi;
    return static_cast<long long>(t);
}

void AppendFontCss(std::string &css, const CPun &p) {
    css += "; font-size:";
    css += std::to_string(static_cast<long long>(p.m_nFontSize * 1.454));
    css += "px; font-weight:";
    css += p.m_nBold != 0 ? "700" : "400";
    css += "; font-style:";
    css += p.m_nItalic != 0 ? "italic" : "normal";
}

std::string ParagraphCss(const CPun &p, int k, int kind) {
    std::string css;
    css.reserve(200);
    css += "font-family:";
    css += CssFontName(p.m_strFont);
    AppendFontCss(css, p);
    css += (kind == 1 || kind == 2) ? ";cursor:hand;" : ";cursor:default;";
    css += "text-align:";
    switch (p.m_nAlign) {
    case 1:
        css += "center;";
        break;
    case 2:
        css += "right;";
        break;
    case 3:
        css += "justify;";
        break;
    default:
        css += "left;";
        break;
    }
    css += "margin-top:";
    css += std::to_string(p.m_nTopMargin);
    css += "px; margin-left:";
    css += std::to_string(p.m_nLeftMargin);
    css += "px; width:";
    // A justified date line shares its width between the place and the date.
    const double width = (k == ParDateLine && p.m_nAlign == 3) ? p.m_dWidth / 2 : p.m_dWidth;
    css += std::to_string(WholePart(width));
    css += "px;";
    return css;
}

std::string IndentHtml(double firstIndent) {
    const long long n = WholePart(firstIndent, -kMaxIndent, kMaxIndent);
    if (n == 0)
        return {};
    std::string out = "<SPAN STYLE=\"font-family:Arial;font-size:8;\">";
    for (long long i = 0; i < n; ++i)
        out += "&#160;";
    out += "</SPAN>";
    return out;
}

std::string RomanNumeral(unsigned n) {
    static constexpr struct {
        unsigned value;
        const char *digits;
    } kDigits[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"},
                   {90, "XC"},  {50, "L"},   {40, "XL"}, {10, "X"},   {9, "IX"},
                   {5, "V"},    {4, "IV"},   {1, "I"}};
    std::string out;
    for (const auto &d : kDigits)
        while (n >= d.value) {
            out += d.digits;
            n -= d.value;
        }
    return out;
}

std::string NumberingHtml(int kind, unsigned a, unsigned c) {
    switch (kind) {
    case 1:
        return RomanNumeral(a + 1) + ".&nbsp;";
    case 2:
        return std::to_string(c + 1) + ".&nbsp;";
    case 3:
        return std::to_string(a + 1) + "." + std::to_string(c + 1) + ".&nbsp;";
    case 4:
        return "&bull;&nbsp;";
    default:
        return {};
    }
}

std::string DirRekvLink(std::string_view text, int n, bool plain) {
    if (plain)
        return std::string(text);
    std::string out = "<A onClick='window.external.DirRekv(";
    out += std::to_string(n);
    out += ")';>";
    out += text;
    out += "</A>";
    return out;
}

void AppendEscapedHtml(std::string &out, std::string_view text) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '<' && c != '>' && c != '&')
            continue;
        out.append(text.data() + from, i - from);
        out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : "&amp;";
        from = i + 1;
    }
    out.append(text.data() + from, text.size() - from);
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscapedHtml(out, text);
    return out;
}

void ReplaceAllIn(std::string &text, std::string_view from, std::string_view to) {
    if (from.empty() || text.find(from) == std::string::npos)
        return;
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos;
         pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out += to;
    }
    out.append(text, pos, std::string::npos);
    text.swap(out);
}

std::string PageTextFromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = cp1251::DecodeUtf8(utf8, i);
        const int b = cp1251::FromCodePoint(cp);
        if (cp == '<')
            out += "&lt;";
        else if (cp == '>')
            out += "&gt;";
        else if (cp == '&')
            out += "&amp;";
        else if (b >= 0 && cp != 0x98)
            out += static_cast<char>(b);
        else
            out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
    }
    return out;
}

} // namespace dravo::textgen
