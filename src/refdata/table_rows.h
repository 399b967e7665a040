// The shared road for writing rows of a directory table: column names checked against the
// table's own list (only those names reach the SQL text), values converted to what each column
// stores, and the INSERT, UPDATE and DELETE by key with bound values.
#pragma once

#include "connection.h"
#include "core/text.h"
#include "directory.h"

#include <QSqlQuery>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace dravo::refdata {

enum class ColumnKind { Text, Whole, Real, YesNo };

struct ColumnDef {
    std::string_view name;
    ColumnKind kind;
};

struct Assignment {
    QString column; // quoted
    QVariant value;
};

std::optional<long> ParseWhole(std::string_view text);
// A decimal number with "." or "," as the separator.
std::optional<double> ParseReal(std::string_view text);

// Checks each name against columns and converts each value; a column named twice keeps its
// last value.
bool Resolve(const Dialect &dialect, std::span<const ColumnDef> columns, const ColumnValues &values,
             std::vector<Assignment> &out, DbError *error);

std::optional<int> InsertRow(SqlConnection &db, const QString &table, const QString &key,
                             const std::vector<Assignment> &assignments, DbError *error);
bool UpdateRow(SqlConnection &db, const QString &table, const QString &key, int id,
               const std::vector<Assignment> &assignments, DbError *error);
bool DeleteRow(SqlConnection &db, const QString &table, const QString &key, int id, DbError *error);

// Resolve and InsertRow / UpdateRow in one step, for the forms that write columns by name.
std::optional<int> InsertValues(SqlConnection &db, const QString &table, const QString &key,
                                std::span<const ColumnDef> columns, const ColumnValues &values,
                                DbError *error);
bool UpdateValues(SqlConnection &db, const QString &table, const QString &key, int id,
                  std::span<const ColumnDef> columns, const ColumnValues &values, DbError *error);

// The row that a keyed query finds, read by readRow; nullopt when there is none (no error then)
// or when the query fails (error filled).
template <typename Reader>
auto SelectOne(SqlConnection &db, const QString &sql, const QVariantList &params, Reader readRow,
               DbError *error) -> std::optional<decltype(readRow(QSqlQuery()))> {
    std::optional<decltype(readRow(QSqlQuery()))> found;
    const bool ok = db.Select(
        sql, params,
        [&](const QSqlQuery &row) {
            found = readRow(row);
            return false;
        },
        error);
    if (ok && !found && error)
        *error = DbError{};
    return ok ? found : std::nullopt;
}

} // namespace dravo::refdata
