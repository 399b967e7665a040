// Small markup pieces of the contract page: paragraph style rules, indents, numbering, clickable
// regions and the escaping of directory text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/body.h"

namespace dravo::textgen {

// The whole part of a stored double, clamped to [lo, hi]; NaN reads as 0. Stored widths and
// indents come from files and may hold anything.
long long WholePart(double value, long long lo = -1000000000LL, long long hi = 1000000000LL);

// Appends the paragraph's font size, weight and style to a style rule ("; font-size:...px;
// font-weight:...; font-style:..."), after its font-family.
void AppendFontCss(std::string &css, const CPun &paragraph);

// The body of the style rule of paragraph k (0..6) for a document of that kind.
std::string ParagraphCss(const CPun &paragraph, int k, int kind);

// The first-line indent as non-breaking spaces in a small span; empty for an indent of 0, an
// empty span for a negative one. Indents past kMaxIndent spaces are cut to it.
inline constexpr long long kMaxIndent = 1000;
std::string IndentHtml(double firstIndent);

// The Roman numeral of n (1 and up; empty for 0).
std::string RomanNumeral(unsigned n);

// The number that precedes a heading or clause: kind 1 the Roman numeral of a + 1, 2 c + 1,
// 3 "a+1.c+1.", 4 a bullet; 0 and 5 and above nothing.
std::string NumberingHtml(int kind, unsigned a, unsigned c);

// The text in a clickable region that calls DirRekv(n); with plain set, the text unchanged.
std::string DirRekvLink(std::string_view text, int n, bool plain = false);

// "<", ">" and "&" as entities: directory text is plain text, not markup.
std::string EscapeHtml(std::string_view text);
// The same, appended to out.
void AppendEscapedHtml(std::string &out, std::string_view text);

// Text typed by a user (UTF-8: a command line, a spreadsheet) as page text: "<", ">" and "&" as
// entities, and a character that windows-1251 lacks as a numeric entity, so the page shows it and
// the word-processor export writes it as the character it is.
std::string PageTextFromUtf8(std::string_view utf8);

// Every occurrence of from replaced by to, left to right, replaced text not rescanned.
void ReplaceAllIn(std::string &text, std::string_view from, std::string_view to);

} // namespace dravo::textgen
