// Contracts in series: one document per row of a table that a spreadsheet saved as CSV. The
// columns named after the template's variables fill them; "номер", "дата", "контрагент" and
// "файл" set the number, the date, the counterparty and the file name of each document.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/body.h"
#include "russian/dates.h"

namespace dravo::textgen {

// One record of the table: its fields as they were written (UTF-8) and the line it starts on.
struct CsvRecord {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

struct CsvTable {
    std::vector<std::string> header; // UTF-8, blanks trimmed
    std::vector<CsvRecord> rows;     // wholly empty lines left out
    char delimiter = ',';
};

// Reads a CSV file as spreadsheets write it: UTF-8 (with or without its mark) or windows-1251,
// fields separated by commas or semicolons (whichever the header line uses outside quotes),
// quoted fields that hold separators, doubled quotes and line breaks. Fails with a message on a
// file without a header or with a quote left open.
bool ReadCsv(std::string_view bytes, CsvTable &table, std::string &error);

// What a column of the table stands for in the template.
struct BatchColumn {
    enum Kind { Variable, Number, Date, Counterparty, File, Unknown } kind = Unknown;
    std::size_t variable = 0; // for Variable: the variable's index
};

// The columns of a header against the template: variables by name without regard to letter case
// (the first variable of a name, as the commands take it). Unknown columns are left for the
// caller to report.
std::vector<BatchColumn> ClassifyColumns(const CBody &body, const std::vector<std::string> &header);

// The index of the template's variable of that name (windows-1251) without regard to case.
std::optional<std::size_t> FindVariableIndex(const CBody &body, std::string_view name);

// One document to produce, from one row.
struct BatchDocument {
    std::vector<std::pair<std::size_t, std::string>> variables; // index, page text
    std::optional<std::string> number;                          // windows-1251
    std::optional<Date> date;
    std::string counterparty; // UTF-8 as written: an id or an exact name; empty keeps none
    std::string fileName;     // without the folder, with the extension
};

// The document of a row, or a message (UTF-8) why it cannot be produced. The file name is the
// "файл" column's (a bare name: no folder, no control characters; the extension added) or the
// row's number. Dates are read as DD.MM.YYYY or YYYY-MM-DD.
std::optional<BatchDocument> PlanBatchRow(const CsvTable &table,
                                          const std::vector<BatchColumn> &columns,
                                          std::size_t rowIndex, std::string_view extension,
                                          std::string &error);

// A date written DD.MM.YYYY or YYYY-MM-DD naming a real day.
std::optional<Date> ReadDayDate(std::string_view text);

} // namespace dravo::textgen
