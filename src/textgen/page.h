// The contract page: builds the whole HTML page that the document window shows, from the
// template body and the document's data. The page is windows-1251 bytes, exactly as the view
// loads it.
#pragma once

#include <string>

#include "core/body.h"
#include "core/user.h"
#include "russian/dates.h"
#include "textgen/datasource.h"

namespace dravo::textgen {

// Document kind codes.
inline constexpr int kRegisteredDocument = 0;
inline constexpr int kTemplateDocument = 1;
inline constexpr int kJournalDocument = 2;
inline constexpr int kStoredFileDocument = 3;
inline constexpr int kCaseDocument = 4;

// The journal page and the page of a registered document are built by the journal code; the
// renderer only routes to them.
class JournalPages {
  public:
    virtual ~JournalPages() = default;
    virtual std::string JournalPage() = 0;
    virtual std::string RegisteredDocumentPage() = 0;
};

struct PageInputs {
    CBody *body = nullptr; // required; the renderer writes its side effects back into it
    int kind = kTemplateDocument;
    std::string number;             // the document number text; empty shows an empty number span
    Date date;                      // the document date
    bool dateShown = true;          // false prints blanks for day and month
    bool highlight = true;          // colour substituted values
    const CUser *user = nullptr;    // nothing: requisites not loaded, the place stays as stored
    PartySource *parties = nullptr; // nothing: no database, parties print as blank forms
    SubjectSource *subjects = nullptr;
    std::string documentTitle;   // the window title; ".adf" is removed from it
    bool showJournal = false;    // the document shows the journal page
    bool showRegistered = false; // the document shows a registered document
    JournalPages *journal = nullptr;
    // The program-wide date texts that the commands read; a hidden date keeps the previous words
    // text. Nothing: a local pair is used.
    DocumentDateTexts *dateTexts = nullptr;
};

struct PageResult {
    std::string html;          // windows-1251
    std::string documentTitle; // the new window title
};

// Builds the page. Side effects on the body: leading blanks removed from the title, its name and
// the subtitle; the closing sentence of the header stored in paragraph 3; on a template document
// with a title (the page with the date line) the place in paragraph 2 refreshed from the user's
// settlement (kept while the user has none). Without a journal builder
// the journal and registered-document pages are empty pages.
PageResult BuildPage(const PageInputs &inputs);

class DocumentContext;

// The pieces of the page, for the page itself and for tests.
// The header naming the parties, clickable with DirRekv(2); stores the closing sentence in
// paragraph 3.
std::string PreambleHtml(DocumentContext &ctx);
// The table of names, requisites and signatures under the contract text.
std::string RequisitesTableHtml(const DocumentContext &ctx);
// Computes the document's date texts into the context (and into texts, the program-wide pair)
// and returns the date line: the place, first refreshed from the user's settlement, and the date,
// clickable with DirRekv(2); with textOnly set only the texts are computed (the place is not
// touched) and the result is empty.
std::string BuildDateLine(DocumentContext &ctx, const Date &date, bool shown,
                          DocumentDateTexts &texts, bool textOnly = false);
// The page head: the style rules of the seven paragraphs of body, on the background of the kind
// (white for a template, floralwhite for every other page), up to the opening of the body.
std::string PageHead(const CBody &body, int kind);
// The notice that a stored-file document shows instead of its text.
std::string StoredFileNotice();

} // namespace dravo::textgen
