#include "textgen/rtf.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/text.h"
#include "russian/strings.h"
#include "textgen/html.h"
#include "textgen/party.h"
#include "textgen/substitute.h"

namespace dravo::textgen {

using namespace dravo::literals;

namespace {

constexpr std::string_view kRoubles = "руб."_w;
constexpr std::string_view kWithVatDefault = "с НДС"_w; // Cyrillic: the catalogue was not read
constexpr std::string_view kWithVatEmpty = "c НДС"_w;   // Latin c: the catalogue's empty wording
constexpr char kPieceMark = '\x01';

const CPun &Style(const CBody &body, int n) {
    return body.Paragraph(static_cast<std::uint16_t>(std::clamp(n, 0, 6)));
}

std::string_view AlignWord(int align) {
    switch (align) {
    case 1:
        return "\\qc";
    case 2:
        return "\\qr";
    case 3:
        return "\\qj";
    default:
        return "\\ql";
    }
}

// "%.2f" with a point whatever the locale.
std::string Money(double value) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    return std::string(buf, r.ptr);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// The tag name at s (after "<" or "</"), lower case.
std::string TagName(std::string_view s) {
    std::string name;
    for (char c : s) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            break;
        name += AsciiLower(c);
    }
    return name;
}

struct Entity {
    std::string_view name;
    char32_t cp;
};
constexpr Entity kEntities[] = {
    {"nbsp", 0xA0},    {"amp", '&'},       {"lt", '<'},       {"gt", '>'},       {"quot", '"'},
    {"apos", '\''},    {"bull", 0x2022},   {"laquo", 0xAB},   {"raquo", 0xBB},   {"ndash", 0x2013},
    {"mdash", 0x2014}, {"hellip", 0x2026}, {"copy", 0xA9},    {"reg", 0xAE},     {"trade", 0x2122},
    {"sect", 0xA7},    {"deg", 0xB0},      {"plusmn", 0xB1},  {"middot", 0xB7},  {"para", 0xB6},
    {"euro", 0x20AC},  {"ldquo", 0x201C},  {"rdquo", 0x201D}, {"bdquo", 0x201E}, {"lsquo", 0x2018},
    {"rsquo", 0x2019}, {"shy", 0xAD},      {"times", 0xD7},   {"numero", 0x2116}};

// The entity at s (s[0] == '&'); its code point and length, or 0 when it is not one.
std::size_t ReadEntity(std::string_view s, char32_t &cp) {
    const std::size_t semi = s.find(';', 1);
    if (semi == std::string_view::npos || semi > 12)
        return 0;
    const std::string_view body = s.substr(1, semi - 1);
    if (body.size() >= 2 && body[0] == '#') {
        const bool hex = body[1] == 'x' || body[1] == 'X';
        const std::string_view digits = body.substr(hex ? 2 : 1);
        unsigned long value = 0;
        const auto r =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
        if (digits.empty() || r.ec != std::errc() || r.ptr != digits.data() + digits.size() ||
            value > 0x10FFFF)
            return 0;
        cp = static_cast<char32_t>(value);
        return semi + 1;
    }
    for (const Entity &e : kEntities)
        if (body == e.name) {
            cp = e.cp;
            return semi + 1;
        }
    return 0;
}

class RtfWriter {
  public:
    RtfWriter(std::string &out, const RtfTextOptions &o) : out_(out), o_(o) {}

    void Byte(unsigned char b) {
        if (b == 0xA0) {
            Put("\\~");
            return;
        }
        if (b == 0x98 || b < 0x20) // no character in the code page; control bytes
            return;
        if (b == '{' || b == '}' || b == '\\')
            out_ += '\\';
        out_ += static_cast<char>(b);
        blank_ = false;
    }

    void CodePoint(char32_t cp) {
        if (cp == 0xA0) {
            Put("\\~");
            return;
        }
        if (cp == '\t' || cp == '\n' || cp == '\r' || cp == ' ') {
            Blank();
            return;
        }
        const int b = cp1251::FromCodePoint(cp);
        if (b >= 0) {
            Byte(static_cast<unsigned char>(b));
            return;
        }
        if (cp < 0x20 || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return;
        const auto unicode = [&](unsigned unit) {
            out_ += "\\u";
            out_ += std::to_string(static_cast<int>(static_cast<std::int16_t>(unit)));
            out_ += '?';
        };
        if (cp > 0xFFFF) {
            const char32_t v = cp - 0x10000;
            unicode(0xD800 + (v >> 10));
            unicode(0xDC00 + (v & 0x3FF));
        } else {
            unicode(cp);
        }
        blank_ = false;
    }

    // Bytes that need nothing (see kPlain).
    void Run(std::string_view bytes) {
        out_ += bytes;
        blank_ = false;
    }

    void Blank() {
        if (!blank_)
            out_ += ' ';
        blank_ = true;
    }

    // A control word; the blank after it is its delimiter, not text.
    void Put(std::string_view control) {
        out_ += control;
        blank_ = false;
    }

    void LineBreak() {
        out_ += "\\line";
        out_ += o_.lineIndent.empty() ? std::string(" ") : o_.lineIndent;
        blank_ = true;
    }

  private:
    std::string &out_;
    const RtfTextOptions &o_;
    bool blank_ = false;
};

} // namespace

std::string RtfPieceMarker(std::size_t i) {
    std::string m(1, kPieceMark);
    m += std::to_string(i);
    m += kPieceMark;
    return m;
}

namespace {

// Bytes written as they are: not markup, not white space, not escaped, not dropped.
constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> plain{};
    for (int b = 0x20; b < 0x100; ++b)
        plain[b] = b != '{' && b != '}' && b != '\\' && b != '<' && b != '&' && b != ' ' &&
                   b != 0x98 && b != 0xA0;
    return plain;
}();

} // namespace

std::string RtfText(std::string_view s, const RtfTextOptions &o) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    RtfTextInto(out, s, o);
    return out;
}

void RtfTextInto(std::string &out, std::string_view s, const RtfTextOptions &o) {
    RtfWriter w(out, o);
    for (std::size_t i = 0; i < s.size();) {
        if (kPlain[static_cast<unsigned char>(s[i])]) {
            std::size_t j = i + 1;
            while (j < s.size() && kPlain[static_cast<unsigned char>(s[j])])
                ++j;
            w.Run(s.substr(i, j - i));
            i = j;
            continue;
        }
        const char c = s[i];
        if (c == kPieceMark) {
            const std::size_t end = s.find(kPieceMark, i + 1);
            std::size_t index = 0;
            const auto r = end == std::string_view::npos
                               ? std::from_chars_result{nullptr, std::errc::invalid_argument}
                               : std::from_chars(s.data() + i + 1, s.data() + end, index);
            if (o.pieces != nullptr && r.ec == std::errc() && r.ptr == s.data() + end &&
                index < o.pieces->size()) {
                w.Put((*o.pieces)[index]);
                i = end + 1;
            } else {
                ++i; // a stray mark byte is dropped like any control byte
            }
            continue;
        }
        if (c == '<' && i + 1 < s.size()) {
            const bool closing = s[i + 1] == '/';
            const std::string name = TagName(s.substr(i + (closing ? 2 : 1)));
            const std::size_t end = s.find('>', i);
            if ((!name.empty() || s[i + 1] == '!') && end != std::string_view::npos) {
                if (name == "br")
                    w.LineBreak();
                else if (name == "b" || name == "strong")
                    w.Put(!closing || o.bold ? "\\b " : "\\b0 ");
                else if (name == "i" || name == "em")
                    w.Put(!closing || o.italic ? "\\i " : "\\i0 ");
                else if (name == "u")
                    w.Put(closing ? "\\ulnone " : "\\ul ");
                else if (name == "p" || name == "div" || name == "tr" || name == "li")
                    w.Blank(); // blocks inside a text read as separate words
                i = end + 1;
                continue;
            }
        }
        if (c == '&') {
            char32_t cp = 0;
            if (const std::size_t n = ReadEntity(s.substr(i), cp)) {
                w.CodePoint(cp);
                i += n;
                continue;
            }
        }
        if (IsBlank(c))
            w.Blank();
        else
            w.Byte(static_cast<unsigned char>(c));
        ++i;
    }
}

std::string RtfStylePrefix(const CBody &body, int n) {
    const CPun &p = Style(body, n);
    std::string out = "\\f" + std::to_string(std::clamp(n, 0, 6));
    out += "\\fs" + std::to_string(p.m_nFontSize * 2);
    out += p.m_nBold != 0 ? "\\b" : "\\b0";
    out += p.m_nItalic != 0 ? "\\i" : "\\i0";
    out += AlignWord(p.m_nAlign);
    out += "\\sb" + std::to_string(p.m_nTopMargin * 12);
    return out;
}

std::string RtfIndent(const CBody &body, int n) {
    return Style(body, n).m_dFirstIndent > 5 ? "\\tab " : " ";
}

std::string RtfCell(std::string_view text, int align) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::string out(AlignWord(align));
    out += " \\widctlpar\\intbl\\adjustright {";
    out += text;
    out += "\\cell }\\pard";
    return out;
}

std::string SubjectTableRtf(const DocumentContext &ctx, SubjectList list) {
    const SubjectState &s = ctx.Subject(list);
    std::string currency(kRoubles);
    std::string vat(kWithVatDefault);
    if (s.set && !s.set->rows.empty()) {
        currency =
            s.set->rows[0].currency.empty() ? std::string(kRoubles) : s.set->rows[0].currency;
        vat = s.set->rows[0].definds.empty() ? std::string(kWithVatEmpty) : s.set->rows[0].definds;
    }
    const std::string size =
        "\\fs" + std::to_string(ctx.body().Paragraph(ParClauseText).m_nFontSize * 2);
    static constexpr std::string_view kCellBorders =
        "\\clvertalt\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 \\clbrdrb\\brdrs\\brdrw10 "
        "\\clbrdrr\\brdrs\\brdrw10 \\cltxlrtb";
    std::string out =
        "}\\par \\pard {\\fs10\\par} \\trowd \\trgaph108\\trbrdrt\\brdrs\\brdrw10 "
        "\\trbrdrl\\brdrs\\brdrw10 \\trbrdrb\\brdrs\\brdrw10 \\trbrdrr\\brdrs\\brdrw10 "
        "\\trbrdrh\\brdrs\\brdrw10 \\trbrdrv\\brdrs\\brdrw10 ";
    for (std::string_view edge :
         {"\\cellx3544", "\\cellx4820", "\\cellx5954", "\\cellx7230", "\\cellx8647 "}) {
        out += kCellBorders;
        out += edge;
    }
    out += "\\pard\\plain ";
    const auto head = [&](std::string_view caption) {
        out += "\\qc\\widctlpar\\intbl\\adjustright {\\b ";
        out += size; // every caption begins with a Cyrillic letter, which ends the size word
        out += caption;
    };
    const RtfTextOptions plain;
    head("Наименование \\cell }\\pard "_w);
    head("Кол-во \\cell }\\pard "_w);
    head("Ед.изм. \\cell }\\pard "_w);
    head(std::string("Цена "_w) + RtfText(vat, plain) + "\\cell}\\pard ");
    head(std::string("Сумма "_w) + RtfText(currency, plain) + "\\cell}\\pard ");
    out += "\\widctlpar\\intbl\\adjustright {\\b0\\lang1049 \\row }\\pard ";

    if (s.set) {
        const std::size_t n = std::min(s.set->rows.size(), kSubjectRows);
        for (std::size_t i = 0; i < n; ++i) {
            const SubjectRow &row = s.set->rows[i];
            if (row.name.empty())
                continue;
            out += RtfCell(RtfText(row.name, plain), 0);
            out += RtfCell(std::to_string(row.kolvo), 2);
            out += RtfCell(RtfText(row.edizm, plain), 0);
            out += RtfCell(Money(row.price), 2);
            out += RtfCell(Money(row.summ), 2);
            out += "\\widctlpar\\intbl\\adjustright {\\b0 \\row }\\pard ";
        }
    }
    out += " { ";
    return out;
}

namespace {

// A party line of the page as cell text: "{}" reads as a blank there, as on the page.
std::string CellText(const DocumentContext &ctx, int position, int kind) {
    std::string text = PartyLine(ctx, position, kind);
    ReplaceAllIn(text, "{}", "&nbsp;");
    return RtfText(text);
}

constexpr std::string_view kCellEnd = "\\pard \\widctlpar\\intbl\\adjustright ";
constexpr std::string_view kRowEnd = "{\\row }\\pard \\widctlpar\\adjustright ";

} // namespace

std::string RequisitesTableRtf(const DocumentContext &ctx) {
    const CBody &body = ctx.body();
    std::string out;
    const auto cell = [&](int style, const std::string &text) {
        out += "{";
        out += RtfStylePrefix(body, style);
        out += ' '; // a text that begins with a digit is not a part of the last number
        out += text;
        out += "\\cell }";
        out += kCellEnd;
    };
    // Names and name lines in the headings style; requisites and signatures in the text style.
    static constexpr int kRows[4][2] = {
        {0, ParReqHead}, {1, ParReqHead}, {2, ParReqText}, {3, ParReqText}};
    for (const auto &[kind, style] : kRows) {
        out += "\\trowd \\trgaph108\\trleft-108 \\clvertalt\\cltxlrtb \\cellx4153 "
               "\\clvertalt\\cltxlrtb \\cellx8789\\pard \\widctlpar\\intbl\\adjustright ";
        cell(style, CellText(ctx, 1, kind));
        cell(style, CellText(ctx, 2, kind));
        out += kRowEnd;
    }
    if (ThirdPartyPresent(body)) {
        for (const auto &[kind, style] : kRows) {
            out += "\\trowd \\trgaph108\\trleft-108 \\clvertalt\\cltxlrtb \\cellx2092 "
                   "\\clvertalt\\cltxlrtb \\cellx6295 \\clvertalt\\cltxlrtb "
                   "\\cellx8789\\pard \\widctlpar\\intbl\\adjustright ";
            out += "{ \\cell }";
            out += kCellEnd;
            cell(style, CellText(ctx, 3, kind));
            out += "{ \\cell }";
            out += kCellEnd;
            out += kRowEnd;
        }
    }
    return out;
}

namespace {

// Opens a paragraph of style k: its paragraph and character words at the outer level, the text
// in a group of its own (the subject table closes that group and opens the next).
std::string OpenParagraph(const CBody &body, int k) {
    std::string out = "\\pard\\plain";
    out += RtfStylePrefix(body, k);
    const long long left = WholePart(Style(body, k).m_nLeftMargin, 0, 10000) * 15;
    if (left > 0)
        out += "\\li" + std::to_string(left);
    out += "\\lang1049 {";
    return out;
}

constexpr std::string_view kCloseParagraph = "}\\par\n";

RtfTextOptions TextOptions(const DocumentContext &ctx, int k) {
    RtfTextOptions o;
    o.lineIndent = RtfIndent(ctx.body(), k);
    o.bold = Style(ctx.body(), k).m_nBold != 0;
    o.italic = Style(ctx.body(), k).m_nItalic != 0;
    o.pieces = &ctx.rtfPieces;
    return o;
}

} // namespace

std::string ContractHeaderRtf(DocumentContext &ctx) {
    CBody &body = ctx.body();
    const std::string closing = ClosingPhrase(body.Paragraph(ParTitle).m_strText);
    body.Paragraph(ParArticleHead).m_strText = closing;
    const bool third = ThirdPartyPresent(body);
    const RtfTextOptions o = TextOptions(ctx, ParClauseText);
    // The page's rule: a party fragment that ends in a quotation mark and a comma takes no second
    // comma from the separator.
    const auto text = [&](std::string s) {
        ReplaceAllIn(s, "\",,", "\",");
        return RtfText(s, o);
    };
    std::string out = OpenParagraph(body, ParClauseText);
    out += RtfIndent(body, ParClauseText);
    if (body.Paragraph(ParArticleHead).m_nMark != 0) {
        const std::string next =
            RtfStylePrefix(body, ParClauseText) + RtfIndent(body, ParClauseText);
        out += text(PartyPreamble(ctx, 1) + std::string(", с одной стороны, и"_w));
        out += "\\par" + next;
        out += text(PartyPreamble(ctx, 2) + std::string(", с другой стороны,"_w));
        out += "\\par" + next;
        if (third) {
            out += text(PartyPreamble(ctx, 3) + std::string(", с третьей стороны,"_w));
            out += "\\par" + next;
        }
        out += text(closing);
        out += "}\\par \\pard\n";
        return out;
    }
    std::string all = PartyPreamble(ctx, 1) + std::string(", с одной стороны, и "_w) +
                      PartyPreamble(ctx, 2) + std::string(", с другой стороны, "_w);
    if (third)
        all += PartyPreamble(ctx, 3) + std::string(", с третьей стороны, "_w);
    all += closing;
    out += text(all);
    out += kCloseParagraph;
    return out;
}

std::string RtfFontTable(const CBody &body) {
    std::string out = "{\\fonttbl";
    for (int n = 0; n < static_cast<int>(kParagraphCount); ++n) {
        std::string name;
        for (const char c : russian_detail::Trim(Style(body, n).m_strFont))
            if (static_cast<unsigned char>(c) >= 0x20 && c != '{' && c != '}' && c != '\\' &&
                c != ';')
                name += c;
        if (name.empty())
            name = "Times New Roman";
        const std::string lower = ToLower(name);
        std::string_view family = "\\fnil";
        if (lower.find("times") != std::string::npos || lower.find("serif") != std::string::npos ||
            lower.find("georgia") != std::string::npos)
            family = lower.find("sans") != std::string::npos ? "\\fswiss" : "\\froman";
        else if (lower.find("courier") != std::string::npos ||
                 lower.find("mono") != std::string::npos)
            family = "\\fmodern";
        else if (lower.find("arial") != std::string::npos ||
                 lower.find("verdana") != std::string::npos ||
                 lower.find("tahoma") != std::string::npos ||
                 lower.find("sans") != std::string::npos)
            family = "\\fswiss";
        out += "{\\f" + std::to_string(n);
        out += family;
        out += "\\fcharset204 ";
        out += name;
        out += ";}";
    }
    out += "}";
    return out;
}

namespace {

// A4 with the margins of a Russian office document; the text is 9355 twips wide, the tables fit.
constexpr std::string_view kPage =
    "\\paperw11906\\paperh16838\\margl1701\\margr850\\margt1134\\margb1134\\widowctrl\n";

std::string DocumentHead(const CBody &body) {
    std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049\\uc1\n";
    out += RtfFontTable(body);
    out += "\n{\\info{\\title ";
    out += RtfText(body.Paragraph(ParTitle).m_strText);
    out += "}}\n";
    out += kPage;
    return out;
}

// What every paragraph of a style begins with, made once per document.
struct Styles {
    std::array<std::string, kParagraphCount> open;
    std::array<std::string, kParagraphCount> indent;
    std::array<RtfTextOptions, kParagraphCount> text;
    std::string page; // the substituted text of the block being written

    explicit Styles(const DocumentContext &ctx) {
        for (int k = 0; k < static_cast<int>(kParagraphCount); ++k) {
            open[k] = OpenParagraph(ctx.body(), k);
            indent[k] = RtfIndent(ctx.body(), k);
            text[k] = TextOptions(ctx, k);
        }
    }
};

// One block of template text in the paragraph style k, substituted like the page's.
// tail is RTF written at the end of the paragraph.
void AppendBlock(DocumentContext &ctx, Styles &styles, int k, std::string_view prefix,
                 std::string_view text, bool indent, std::string &out, std::string_view tail = {}) {
    ctx.paragraph = k;
    styles.page.assign(prefix);
    SubstituteInto(ctx, text, styles.page);
    out += styles.open[k];
    if (indent)
        out += styles.indent[k];
    RtfTextInto(out, styles.page, styles.text[k]);
    out += tail;
    out += kCloseParagraph;
}

void AppendDateLine(const DocumentContext &ctx, bool shown, std::string &out) {
    const CBody &body = ctx.body();
    const CPun &line = body.Paragraph(ParDateLine);
    const std::string date =
        (shown && body.Paragraph(ParSubtitle).m_nType != 0) ? ctx.dateWordsText : ctx.dateShortText;
    const RtfTextOptions o = TextOptions(ctx, ParDateLine);
    std::string open = OpenParagraph(body, ParDateLine);
    if (line.m_nAlign == 3) // the place at the left edge and the date at the right one
        open.insert(open.size() - 1, "\\ql\\tqr\\tx9355");
    out += open;
    out += RtfIndent(body, ParDateLine);
    if (line.m_nAlign == 3) {
        out += RtfText(line.m_strText, o);
        out += "\\tab ";
        out += RtfText(date, o);
    } else {
        out += RtfText(line.m_strText + ", " + date, o);
    }
    out += kCloseParagraph;
}

void AppendArticles(DocumentContext &ctx, Styles &styles, std::string &out) {
    const CBody &body = ctx.body();
    unsigned a = 0;
    for (std::size_t i = 0; i < body.ArticleCount(); ++i) {
        const CPar &article = body.m_arArticles[i];
        if (article.m_head.m_nCheck == 0)
            continue;
        if (!article.m_head.m_strText.empty())
            AppendBlock(ctx, styles, ParArticleHead, NumberingHtml(article.m_head.m_nType, a, a),
                        article.m_head.m_strText, true, out);
        unsigned c = 0;
        for (const CPun &clause : article.m_arItems) {
            if (clause.m_nCheck == 0)
                continue;
            // A clause of kind 5 goes on without an indent of its own, as on the page.
            AppendBlock(ctx, styles, ParClauseText, NumberingHtml(clause.m_nType, a, c),
                        clause.m_strText, clause.m_nType != 5, out);
            if (clause.m_nType != 0 && clause.m_nType != 4 && clause.m_nType != 5)
                ++c;
        }
        if (article.m_head.m_nType != 0 && article.m_head.m_nType != 4 &&
            article.m_head.m_nType != 5)
            ++a;
    }
}

void TrimLeftInPlace(std::string &s) {
    s.erase(0, s.size() - russian_detail::TrimLeft(s).size());
}

} // namespace

std::string PageToRtf(std::string_view page, const CBody &body) {
    std::string out = DocumentHead(body);
    // Every block of the page starts a paragraph; the markup inside a block is read as text.
    std::string block;
    const auto flush = [&] {
        const std::string text = RtfText(block);
        if (text.find_first_not_of(' ') != std::string::npos) {
            out += "\\pard\\plain\\f4\\fs24\\lang1049 {";
            out += text;
            out += kCloseParagraph;
        }
        block.clear();
    };
    for (std::size_t i = 0; i < page.size();) {
        if (page[i] == '<') {
            const std::size_t end = page.find('>', i);
            if (end == std::string_view::npos)
                break;
            const bool closing = i + 1 < page.size() && page[i + 1] == '/';
            const std::string name = TagName(page.substr(i + (closing ? 2 : 1)));
            if (name == "style" && !closing) { // the style sheet is not text
                const std::size_t close = page.find("</", end);
                i = close == std::string_view::npos ? page.size() : close;
                continue;
            }
            if (name == "div" || name == "p" || name == "tr" || name == "table" || name == "br" ||
                name == "td")
                flush();
            i = end + 1;
            continue;
        }
        const std::size_t next = page.find('<', i);
        block += page.substr(i, next == std::string_view::npos ? page.size() - i : next - i);
        i = next == std::string_view::npos ? page.size() : next;
    }
    flush();
    out += "}\n";
    return out;
}

RtfResult BuildRtf(const PageInputs &in) {
    RtfResult result;
    if (in.body == nullptr)
        return result;
    CBody &body = *in.body;
    result.documentTitle = in.documentTitle;
    ReplaceAllIn(result.documentTitle, ".adf", "");
    if (in.showJournal || in.showRegistered) {
        // Pages of their own: converted from the page that the journal code builds.
        PageInputs page = in;
        page.highlight = false;
        const PageResult built = BuildPage(page);
        result.documentTitle = built.documentTitle;
        result.rtf = PageToRtf(built.html, body);
        return result;
    }

    PageInputs prepared = in;
    prepared.highlight = false;
    DocumentContext ctx = MakeDocumentContext(prepared);
    ctx.clickable = false;
    ctx.rtf = true;

    Styles styles(ctx);
    std::string &out = result.rtf;
    out = DocumentHead(body);
    std::size_t estimate = 16384; // the texts, the words around them and the tables
    for (const CPar &article : body.m_arArticles) {
        estimate += article.m_head.m_strText.size() + 64;
        for (const CPun &clause : article.m_arItems)
            estimate += clause.m_strText.size() + 64;
    }
    out.reserve(estimate + estimate / 4);
    if (in.kind == kStoredFileDocument) {
        out += "\\pard\\plain\\f4\\fs24\\lang1049 {";
        out += RtfText(StoredFileNotice());
        out += kCloseParagraph;
        out += "}\n";
        return result;
    }
    CPun &title = body.Paragraph(ParTitle);
    TrimLeftInPlace(title.m_strName);
    TrimLeftInPlace(title.m_strText);
    TrimLeftInPlace(body.Paragraph(ParSubtitle).m_strText);
    if (!title.m_strText.empty()) {
        std::string number; // " №7" after the title, in the regular weight
        if (!in.number.empty())
            number = "{\\b0 " + RtfText(std::string(" №"_w) + in.number) + "}";
        AppendBlock(ctx, styles, ParTitle, {}, title.m_strText, true, out, number);
    }
    if (!body.Paragraph(ParSubtitle).m_strText.empty())
        AppendBlock(ctx, styles, ParSubtitle, {}, body.Paragraph(ParSubtitle).m_strText, true, out);
    const bool withParties = in.kind == kTemplateDocument && !title.m_strText.empty();
    if (withParties) {
        AppendDateLine(ctx, in.dateShown, out);
        out += ContractHeaderRtf(ctx);
    }
    AppendArticles(ctx, styles, out);
    if (withParties) {
        out += "\\pard\\plain {\\fs10\\par}\n";
        out += RequisitesTableRtf(ctx);
        out += "\n";
    }
    out += "}\n";
    return result;
}

} // namespace dravo::textgen
