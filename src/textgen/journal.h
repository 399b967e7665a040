// The contract journal as the engine sees it: a registered row, the registration card's fields
// with their conversions and prefill, the journal settings kept in "stl.dat" and the journal
// page. The rows themselves are read and written by the database code. Text is windows-1251.
#pragma once

#include "core/body.h"
#include "core/styles.h"
#include "russian/dates.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravo::textgen {

class DocumentContext;

// How an empty text column is stored.
inline constexpr std::string_view kEmptyCell = "&nbsp;";

// One row of the journal table "book" (the page text excepted).
struct JournalRow {
    int bookId = -1;
    int number = 0;         // Number: the leading value of NumberS
    std::string numberText; // NumberS
    Date date;
    std::string name;
    std::string kontragent;
    std::string status;
    std::string predmet;
    long long price = 0;
    Date dateControl; // Date_contr
    std::string formRasch;
    long long deb = 0;
    long long cred = 0;
    std::string otv;
    std::string nf;

    bool operator==(const JournalRow &) const = default;
};

// The registration card "   Регистрация документа" / "   Карточка документа" as its fields hold it.
struct CardFields {
    std::string number;
    Date date;
    std::string name;
    std::string kontragent;
    std::string status;
    std::string predmet;
    std::string price;
    Date dateControl;
    std::string formRasch;
    std::string deb;
    std::string cred;
    std::string otv;
    std::string nf;

    bool operator==(const CardFields &) const = default;
};

// The stored text of a field: the text itself, "&nbsp;" when empty. The number column keeps at
// most 10 characters.
std::string StoredText(std::string_view text);
// The field text of a stored one: "&nbsp;" shows as empty.
std::string ShownText(std::string_view stored);
// The whole amount a text starts with: blanks before and inside the digits ("1 500 000,00") are
// skipped, the fraction dropped; nothing when the text holds no digit before anything else.
std::optional<long long> AmountValue(std::string_view text);

// The amount fields that hold something other than a number, as the message to show (empty:
// the card can be stored).
std::string CardProblem(const CardFields &card);
// The row the card stores (bookId left at -1) and the fields a stored row shows.
JournalRow RowFromCard(const CardFields &card);
CardFields CardFromRow(const JournalRow &row);

// What the prefill of a new registration needs beside the evaluation context.
struct PrefillInputs {
    std::string numberText; // the document's next number
    Date date;              // the date of the document
};

// The card of a new registration: number, date, control date 31 December of that year, the
// title or "<не определен>", counterparty (and third party) names and party names, the subject
// and the price, each with its fallbacks. The context must be ready (parties and subjects
// loaded, not HTML-escaped, no highlight). When the party order does not give every role its
// own position, problem receives the message and the party fields are filled as for a
// counterparty at the second position.
CardFields PrefillCard(DocumentContext &ctx, const PrefillInputs &in, std::string *problem);

// "Ошибка определения названия сторон. Обратитесь к разработчику " + the support address.
std::string PartyOrderProblemMessage();
// "               Удалить запись\n  о зарегистрированном документе?"
std::string_view DeleteRecordQuestion();

// The journal settings of record 2 of "stl.dat".
struct JournalColumn {
    std::string caption;
    bool shown = true;
    std::string filter;

    bool operator==(const JournalColumn &) const = default;
};

struct JournalSettings {
    std::string title;
    std::string subtitle;
    Date from;
    Date to;
    bool showCount = false;
    std::array<JournalColumn, kJournalColumnCount> columns;

    bool operator==(const JournalSettings &) const = default;
};

// A period never set (both ends 0) reads as the year of today.
JournalSettings ReadJournalSettings(const CBody &record, const Date &today = Today());
void WriteJournalSettings(const JournalSettings &settings, CBody &record);

// The query the journal page asks for: the period and the filter values of the settings (an
// empty value is no condition).
struct JournalFilter {
    Date from;
    Date to;
    std::string name;
    std::string kontragent;
    std::string predmet;
    std::string otv;
    std::string nf;

    bool operator==(const JournalFilter &) const = default;
};
JournalFilter FilterOf(const JournalSettings &settings);

// The journal page: the head built from formats' paragraphs on a floralwhite background, the
// title block (clickable with DirRekv(5)), the table of the shown columns with clickable number
// (Direc) and date (CardKontr) cells, and the count line. Without clickable regions the title
// block and cells are plain and every row is floralwhite. Stored text is escaped; "&nbsp;"
// stays a blank cell.
std::string BuildJournalPage(const CBody &formats, const JournalSettings &settings,
                             std::span<const JournalRow> rows, bool clickable = true);

} // namespace dravo::textgen
