#include "table_rows.h"

#include "dialect.h"
#include "qt_text.h"

#include <charconv>
#include <cstdint>

namespace dravo::refdata {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<bool> ParseYesNo(std::string_view text) {
    text = Trimmed(text);
    if (EqualsIgnoreCase(text, "true") || text == "1")
        return true;
    if (EqualsIgnoreCase(text, "false") || text == "0")
        return false;
    return std::nullopt;
}

QString Latin(std::string_view name) {
    return QString::fromLatin1(name.data(), qsizetype(name.size()));
}

} // namespace

std::optional<long> ParseWhole(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return value;
}

std::optional<double> ParseReal(std::string_view text) {
    std::string copy(Trimmed(text));
    for (char &c : copy)
        if (c == ',')
            c = '.';
    double value = 0;
    const auto [end, ec] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (copy.empty() || ec != std::errc() || end != copy.data() + copy.size())
        return std::nullopt;
    return value;
}

bool Resolve(const Dialect &dialect, std::span<const ColumnDef> columns, const ColumnValues &values,
             std::vector<Assignment> &out, DbError *error) {
    for (const auto &[name, text] : values) {
        const ColumnDef *def = nullptr;
        for (const ColumnDef &c : columns)
            if (EqualsIgnoreCase(c.name, name))
                def = &c;
        if (!def)
            return SetError(error, DbError::Kind::Invalid,
                            QStringLiteral("no column %1").arg(ToQt(name)));
        Assignment a{dialect.QuoteIdentifier(Latin(def->name)), {}};
        auto bad = [&](const char *what) {
            return SetError(error, DbError::Kind::Invalid,
                            QStringLiteral("%1: %2: %3")
                                .arg(Latin(def->name), QLatin1String(what), ToQt(text)));
        };
        switch (def->kind) {
        case ColumnKind::Text:
            a.value = ToQt(text);
            break;
        case ColumnKind::Whole:
            if (const auto number = ParseWhole(text))
                a.value = qlonglong(*number);
            else
                return bad("not a whole number");
            break;
        case ColumnKind::Real:
            if (const auto number = ParseReal(text))
                a.value = *number;
            else
                return bad("not a number");
            break;
        case ColumnKind::YesNo:
            if (const auto flag = ParseYesNo(text))
                a.value = Dialect::YesNoValue(*flag);
            else
                return bad("neither true nor false");
            break;
        }
        std::erase_if(out, [&](const Assignment &b) { return b.column == a.column; });
        out.push_back(std::move(a));
    }
    return true;
}

std::optional<int> InsertRow(SqlConnection &db, const QString &table, const QString &key,
                             const std::vector<Assignment> &assignments, DbError *error) {
    QString sql = QStringLiteral("INSERT INTO %1 ").arg(table);
    QVariantList params;
    if (assignments.empty()) {
        sql += QStringLiteral("DEFAULT VALUES");
    } else {
        QStringList columns, marks;
        for (const Assignment &a : assignments) {
            columns << a.column;
            marks << QStringLiteral("?");
            params << a.value;
        }
        sql += QStringLiteral("(%1) VALUES (%2)")
                   .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    }
    const auto id = db.Insert(sql, params, key, error);
    if (!id)
        return std::nullopt;
    return int(*id);
}

bool UpdateRow(SqlConnection &db, const QString &table, const QString &key, int id,
               const std::vector<Assignment> &assignments, DbError *error) {
    const QString missing = QStringLiteral("%1: no row %2").arg(table).arg(id);
    if (assignments.empty()) { // nothing to write; the row must still exist
        DbError failure;
        if (db.Value(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?").arg(table, key), {id},
                     &failure))
            return true;
        if (failure)
            return SetError(error, failure.kind, failure.text);
        return SetError(error, DbError::Kind::NotFound, missing);
    }
    QStringList sets;
    QVariantList params;
    for (const Assignment &a : assignments) {
        sets << a.column + QStringLiteral(" = ?");
        params << a.value;
    }
    params << id;
    if (!db.Exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                     .arg(table, sets.join(QStringLiteral(", ")), key),
                 params, error))
        return false;
    if (db.RowsAffected() == 0)
        return SetError(error, DbError::Kind::NotFound, missing);
    return true;
}

bool DeleteRow(SqlConnection &db, const QString &table, const QString &key, int id,
               DbError *error) {
    if (!db.Exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(table, key), {id}, error))
        return false;
    if (db.RowsAffected() == 0)
        return SetError(error, DbError::Kind::NotFound,
                        QStringLiteral("%1: no row %2").arg(table).arg(id));
    return true;
}

std::optional<int> InsertValues(SqlConnection &db, const QString &table, const QString &key,
                                std::span<const ColumnDef> columns, const ColumnValues &values,
                                DbError *error) {
    std::vector<Assignment> assignments;
    if (!Resolve(db.Sql(), columns, values, assignments, error))
        return std::nullopt;
    return InsertRow(db, table, key, assignments, error);
}

bool UpdateValues(SqlConnection &db, const QString &table, const QString &key, int id,
                  std::span<const ColumnDef> columns, const ColumnValues &values, DbError *error) {
    std::vector<Assignment> assignments;
    return Resolve(db.Sql(), columns, values, assignments, error) &&
           UpdateRow(db, table, key, id, assignments, error);
}

} // namespace dravo::refdata
