// The stored subject sets (merch: seven rows per set, grouped by Category) and the property
// catalogue (LISTM). Texts are windows-1251 bytes.
#pragma once

#include "connection.h"
#include "directory.h"
#include "textgen/datasource.h"

#include <optional>
#include <string>
#include <vector>

namespace dravo::refdata {

using textgen::kSubjectRows;
using textgen::SubjectRow;
using textgen::SubjectSet;

// The name of the set that stands for "no set"; it is shipped and never deleted.
std::string NoSetName();

struct CatalogueItem {
    int id = -1; // TovarID
    std::string name;
    std::string unit; // Edizm
    double price = 0; // Price2
    std::string currency;
    std::string vat;   // Definds
    std::string extra; // Dop
};

class SubjectStore {
  public:
    explicit SubjectStore(SqlConnection &connection) : m_db(connection) {}
    SqlConnection &Connection() { return m_db; }

    // The set of that name (names compare without regard to letter case) with at most seven
    // rows in their stored order. nullopt when no row has that Category (error then
    // Kind::None) or on failure.
    std::optional<SubjectSet> ReadSet(const std::string &name, DbError *error = nullptr);
    // The names of all sets, in Russian alphabetical order.
    bool SetNames(std::vector<std::string> &out, DbError *error = nullptr);
    // Seven blank rows under name; a set that exists is left as it is.
    bool CreateSet(const std::string &name, DbError *error = nullptr);
    // Writes the seven rows of set name in order from rows (blank where rows ends; rows past
    // the seventh are ignored), creating whatever rows the set lacks.
    bool SaveSet(const std::string &name, const std::vector<SubjectRow> &rows,
                 DbError *error = nullptr);
    // Deletes the rows of set name; the set "<не определено>" is refused.
    bool DeleteSet(const std::string &name, DbError *error = nullptr);
    // Sets columns of row (0..6) of set name, creating the set when missing. Columns: Name,
    // Kolvo, Edizm, Price, Summ, Currency, Definds; Summ, when not given, becomes Kolvo × Price
    // whenever one of them is given.
    bool SetRow(const std::string &name, std::size_t row, const ColumnValues &values,
                DbError *error = nullptr);

    // The catalogue.
    std::optional<CatalogueItem> ReadItem(int id, DbError *error = nullptr);
    bool ListItems(std::vector<CatalogueItem> &out, DbError *error = nullptr);
    // Adds an item; columns not given stay unset, Price2 0. Columns: Name, Edizm, Price2,
    // Currency, Definds, Dop.
    std::optional<int> AddItem(const ColumnValues &values = {}, DbError *error = nullptr);
    bool UpdateItem(int id, const ColumnValues &values, DbError *error = nullptr);
    bool DeleteItem(int id, DbError *error = nullptr);

  private:
    bool RowKeys(const std::string &name, std::vector<int> &keys, DbError *error);
    // Inside a transaction: gives set name its seven rows when it has none, else at least
    // atLeast rows.
    bool AddMissingRows(const std::string &name, std::size_t atLeast, DbError *error);

    SqlConnection &m_db;
};

} // namespace dravo::refdata
