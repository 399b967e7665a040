// The contract as Rich Text Format for a word processor: the same blocks as the page, in the same
// order, written as RTF control words. windows-1251 text under a font table with the Cyrillic
// charset, so every word processor reads the Russian text right.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/body.h"
#include "textgen/context.h"
#include "textgen/page.h"

namespace dravo::textgen {

// The control words of paragraph style n (0..6): font n, size, bold, italic, alignment and the
// space above ("\f4\fs24\b\i0\qj\sb72").
std::string RtfStylePrefix(const CBody &body, int n);

// "\tab " when the style's first-line indent is above 5, else a single blank.
std::string RtfIndent(const CBody &body, int n);

// One table cell paragraph; text is RTF already (see RtfText), its blanks are trimmed.
std::string RtfCell(std::string_view text, int align);

// How page text turns into RTF text.
struct RtfTextOptions {
    std::string lineIndent = " "; // written after each line break ("{/}")
    bool bold = false;            // the style's own weight, restored by </B>
    bool italic = false;
    // Pieces of ready RTF that the text refers to by the marker RtfPieceMarker(i).
    const std::vector<std::string> *pieces = nullptr;
};

// Page text (windows-1251 HTML as the substitution produces it) as RTF text: tags dropped but
// <BR> (a line break) and bold, italic and underline; entities decoded; "{", "}" and "\" escaped;
// a character the code page lacks written as "\uN?"; runs of white space as one blank, as the
// page shows them.
std::string RtfText(std::string_view pageText, const RtfTextOptions &options = {});
// The same, appended to out.
void RtfTextInto(std::string &out, std::string_view pageText, const RtfTextOptions &options = {});

// The marker that stands in page text for piece i of RtfTextOptions::pieces.
std::string RtfPieceMarker(std::size_t i);

// The subject list as an RTF table in the size of style 4 (the header row alone when the list has
// no items); ends in " { ", the text that follows continues inside a group.
std::string SubjectTableRtf(const DocumentContext &ctx, SubjectList list);

// The table of the parties' names, requisites and signatures; a three-column table for the third
// party follows when one takes part.
std::string RequisitesTableRtf(const DocumentContext &ctx);

// The contract header naming the parties, as one style-4 paragraph or, when paragraph 3 asks for
// it, one paragraph per party; stores the closing sentence in paragraph 3.
std::string ContractHeaderRtf(DocumentContext &ctx);

// The font table of the seven styles, in style order.
std::string RtfFontTable(const CBody &body);

struct RtfResult {
    std::string rtf;           // the whole document, windows-1251
    std::string documentTitle; // the title as the window shows it (".adf" removed)
};

// The whole document, as BuildPage builds the page: the same inputs, the same side effects on
// the body, no clickable regions and no highlighting.
RtfResult BuildRtf(const PageInputs &inputs);

// A page that has no template body behind it (the journal, a registered document) as RTF: its
// text with a paragraph per block.
std::string PageToRtf(std::string_view page, const CBody &body);

} // namespace dravo::textgen
