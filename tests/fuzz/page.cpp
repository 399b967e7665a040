// The substitution commands and the page builder on arbitrary template texts: the input, cut at
// every byte 1, gives the title, subtitle, place, party names, variables and clauses of a
// template. The page must be built without a crash or a hang, end as a page does, and hold
// nothing that runs: no element but formatting, and no handler but the program's own clickable
// regions, which call window.external.
#include "textgen/page.h"
#include "core/body.h"
#include "core/user.h"
#include "textgen/substitute.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace dravo;
using namespace dravo::textgen;

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool Space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool StartsWithLower(std::string_view s, std::size_t at, std::string_view lower) {
    if (s.size() - at < lower.size())
        return false;
    for (std::size_t i = 0; i < lower.size(); ++i)
        if (Lower(s[at + i]) != lower[i])
            return false;
    return true;
}

// Reads every tag of the page as a browser does and traps on anything that runs.
void CheckNothingRuns(std::string_view page) {
    static const std::string_view kForbidden[] = {
        "script", "iframe", "frame", "object", "embed",  "applet",   "meta",   "link",   "base",
        "form",   "svg",    "math",  "input",  "button", "textarea", "select", "isindex"};
    for (std::size_t i = 0; i < page.size(); ++i) {
        if (page[i] != '<' || i + 1 >= page.size())
            continue;
        std::size_t p = i + 1;
        if (page[p] == '/')
            ++p;
        if (p >= page.size() ||
            !((page[p] >= 'a' && page[p] <= 'z') || (page[p] >= 'A' && page[p] <= 'Z')))
            continue;
        std::size_t nameEnd = p;
        while (nameEnd < page.size() && !Space(page[nameEnd]) && page[nameEnd] != '/' &&
               page[nameEnd] != '>')
            ++nameEnd;
        const std::string_view name = page.substr(p, nameEnd - p);
        for (const std::string_view f : kForbidden)
            if (name.size() == f.size() && StartsWithLower(name, 0, f))
                __builtin_trap();
        // Attributes up to the end of the tag.
        std::size_t q = nameEnd;
        while (q < page.size() && page[q] != '>') {
            if (Space(page[q]) || page[q] == '/') {
                ++q;
                continue;
            }
            const std::size_t attr = q;
            while (q < page.size() && !Space(page[q]) && page[q] != '>' && page[q] != '=')
                ++q;
            const std::string_view key = page.substr(attr, q - attr);
            std::string_view value;
            if (q < page.size() && page[q] == '=') {
                ++q;
                if (q < page.size() && (page[q] == '"' || page[q] == '\'')) {
                    const std::size_t close = page.find(page[q], q + 1);
                    if (close == std::string_view::npos)
                        __builtin_trap(); // an attribute value left open
                    value = page.substr(q, close + 1 - q);
                    q = close + 1;
                } else {
                    const std::size_t start = q;
                    while (q < page.size() && !Space(page[q]) && page[q] != '>')
                        ++q;
                    value = page.substr(start, q - start);
                }
            }
            if (StartsWithLower(key, 0, "on") &&
                !(key == "onClick" && value.substr(0, 17) == "'window.external."))
                __builtin_trap();
            // Addresses and rules that run or load, blanks and control characters ignored.
            std::string plain;
            for (const char c : value)
                if (static_cast<unsigned char>(c) > 0x20)
                    plain += Lower(c);
            std::string lowerKey;
            for (const char c : key)
                lowerKey += Lower(c);
            const bool address = lowerKey == "href" || lowerKey == "src" ||
                                 lowerKey == "background" || lowerKey == "action" ||
                                 lowerKey == "data" || lowerKey == "lowsrc" ||
                                 lowerKey == "dynsrc" || lowerKey == "codebase";
            if (address) {
                // The scheme, as the browser reads it after decoding references.
                std::string_view v = plain;
                if (!v.empty() && (v.front() == '"' || v.front() == '\''))
                    v = v.substr(1, v.size() >= 2 ? v.size() - 2 : 0);
                const std::size_t end = v.find_first_of(":/?#");
                if (end != std::string_view::npos && v[end] == ':') {
                    const std::string_view scheme = v.substr(0, end);
                    if (scheme.find('&') != std::string_view::npos || scheme == "javascript" ||
                        scheme == "vbscript" || scheme == "data")
                        __builtin_trap();
                }
            }
            if (lowerKey == "style")
                for (const std::string_view bad : {"expression(", "url(", "behavior:", "binding:"})
                    if (plain.find(bad) != std::string::npos)
                        __builtin_trap();
        }
        i = q;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    const std::string_view text(reinterpret_cast<const char *>(data) + 1, size - 1);
    std::vector<std::string> pieces;
    for (std::size_t from = 0;;) {
        const std::size_t cut = text.find('\x01', from);
        pieces.emplace_back(text.substr(from, cut - from));
        if (cut == std::string_view::npos)
            break;
        from = cut + 1;
    }
    const auto piece = [&](std::size_t k) { return k < pieces.size() ? pieces[k] : std::string(); };

    CBody body;
    for (std::uint16_t k = 0; k < kParagraphCount; ++k) {
        body.Paragraph(k).m_strFont = piece(3);
        body.Paragraph(k).m_nFontSize = 12;
        body.Paragraph(k).m_dFirstIndent = flags & 7;
    }
    body.Paragraph(ParTitle).m_strText = piece(0);
    body.Paragraph(ParSubtitle).m_strText = piece(1);
    body.Paragraph(ParSubtitle).m_nType = flags & 8 ? 1 : 0;
    body.Paragraph(ParDateLine).m_strText = piece(2);
    body.Paragraph(ParDateLine).m_nAlign = flags & 16 ? 3 : 0;
    body.Paragraph(ParClauseText).m_strName = piece(3);
    body.Paragraph(ParClauseText).m_strText = piece(4);
    body.Paragraph(ParArticleHead).m_strName = piece(5);
    body.Paragraph(ParArticleHead).m_nCheck = flags & 32 ? 1 : 0;
    body.Paragraph(ParReqText).m_strName = piece(6);
    CPar article;
    article.m_head.m_nCheck = 1;
    article.m_head.m_nType = 1;
    article.m_head.m_strText = piece(7);
    for (std::size_t k = 8; k < pieces.size(); k += 3) {
        CPun variable;
        variable.m_strName = pieces[k];
        variable.m_strText = piece(k + 1);
        body.m_parVariables.m_arItems.push_back(variable);
        CPun clause;
        clause.m_nCheck = 1;
        clause.m_nType = static_cast<std::uint16_t>(k % 6);
        clause.m_strText = piece(k + 2);
        article.m_arItems.push_back(clause);
    }
    body.m_arArticles.push_back(article);

    CUser user;
    for (std::size_t k = 0; k < user.m_arTexts.size(); ++k)
        user.m_arTexts[k] = piece(k % 2 == 0 ? 4 : 5);
    PageInputs in;
    in.body = &body;
    in.kind = flags & 64 ? kTemplateDocument : kCaseDocument;
    in.highlight = (flags & 128) != 0;
    in.user = &user;
    in.number = piece(6);
    in.date = DateFromCalendar(2004, 12, 6);
    const std::string page = BuildPage(in).html;
    if (std::getenv("FUZZ_PRINT_PAGE") != nullptr) // to read a failing input's page
        std::fwrite(page.data(), 1, page.size(), stderr);
    constexpr std::string_view kEnd = "</BODY></HTML>";
    if (page.size() < kEnd.size() || page.substr(page.size() - kEnd.size()) != kEnd)
        __builtin_trap();
    CheckNothingRuns(page);
    return 0;
}
