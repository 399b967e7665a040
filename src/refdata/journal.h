// The contract journal in the reference database: table "book". Rows are listed for the journal
// page by period and filter values (every value a bound parameter), read for the card, written by
// a registration or the card, and deleted. A registration also keeps the template's file content
// and its variable data as they were, so the contract can be reopened as a template.
#pragma once

#include "connection.h"
#include "textgen/journal.h"

#include <optional>
#include <string>
#include <vector>

namespace dravo::refdata {

using textgen::JournalFilter;
using textgen::JournalRow;

// Day counts of the engine and the calendar dates of Qt.
QDate ToQDate(const Date &date);
Date FromQDate(const QDate &date);

// What a registration keeps beside the row.
struct RegisteredContent {
    std::string body;         // the page text of the document (windows-1251)
    std::string templateFile; // the ".adf" bytes of the template as registered; may be empty
    std::string varData;      // the variable data, one "word<TAB>value" line per item
};

// The variable data of a template as text lines "word<TAB>value" (separators left out; tabs,
// line feeds and backslashes in values written as \t, \n and \\).
std::string VariableDataText(const CBody &body);

class JournalStore {
  public:
    explicit JournalStore(SqlConnection &db) : m_db(db) {}

    // The rows of the period that match every non-empty filter value, ordered by date, number
    // and number text.
    bool List(const JournalFilter &filter, std::vector<JournalRow> &rows, DbError *error);
    // The row with that key; nothing (and no error) when there is none.
    std::optional<JournalRow> Read(int bookId, DbError *error);
    // The page text and name of a row, for the registered-document window.
    std::optional<RegisteredContent> ReadContent(int bookId, std::string *name, DbError *error);

    enum class Numbering {
        AsGiven, // the row's number as it stands
        Next,    // the journal's largest number plus one, taken as the row is stored
    };
    // A new row with the content; gives its key. The template columns are written only when
    // the database has them. With Numbering::Next the number is taken in the same transaction
    // that stores the row, other writers of the journal kept waiting meanwhile, so programs
    // registering at the same moment get different numbers.
    std::optional<int> Register(const JournalRow &row, const RegisteredContent &content,
                                DbError *error, Numbering numbering = Numbering::AsGiven);
    // The card's columns of an existing row (its content stays).
    bool Update(int bookId, const JournalRow &row, DbError *error);
    bool Delete(int bookId, DbError *error);

    // The journal's largest number (0 for an empty journal).
    int LargestNumber(DbError *error);

    // The column names of a row for "journal list --csv" and their values as text.
    static const std::vector<std::string> &ColumnNames();
    static std::vector<std::string> ColumnTexts(const JournalRow &row);

    // Sets a column of a row from text by its name (NumberS, Date and Date_contr as YYYY-MM-DD,
    // Name, Kontragent, Status, Predmet, Price, Form_rasch, Deb, Cred, Otv, NF); false with the
    // reason for an unknown column or a value the column cannot take.
    static bool SetColumn(JournalRow &row, std::string_view column, std::string_view value,
                          std::string *reason);

  private:
    SqlConnection &m_db;
    std::optional<bool> m_templateColumns;
};

} // namespace dravo::refdata
