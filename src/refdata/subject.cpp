#include "subject.h"

#include "dialect.h"
#include "qt_text.h"
#include "table_rows.h"

#include <QSqlQuery>

#include <algorithm>

namespace dravo::refdata {

using namespace dravo::literals;

namespace {

constexpr ColumnDef kMerchColumns[] = {
    {"Name", ColumnKind::Text},    {"Kolvo", ColumnKind::Whole}, {"Edizm", ColumnKind::Text},
    {"Price", ColumnKind::Real},   {"Summ", ColumnKind::Real},   {"Currency", ColumnKind::Text},
    {"Definds", ColumnKind::Text},
};

constexpr ColumnDef kListmColumns[] = {
    {"Name", ColumnKind::Text},     {"Edizm", ColumnKind::Text},   {"Price2", ColumnKind::Real},
    {"Currency", ColumnKind::Text}, {"Definds", ColumnKind::Text}, {"Dop", ColumnKind::Text},
};

const QString kMerch = QStringLiteral("merch");
const QString kMerchKey = QStringLiteral("MerchID");
const QString kListm = QStringLiteral("LISTM");
const QString kListmKey = QStringLiteral("TovarID");

const QString kReadSet = QStringLiteral(
    "SELECT MerchID, Name, Kolvo, Edizm, Price, Summ, Currency, Definds, Category FROM merch "
    "WHERE Category = ? ORDER BY MerchID");
const QString kSetKeys =
    QStringLiteral("SELECT MerchID FROM merch WHERE Category = ? ORDER BY MerchID");
const QString kSetNames =
    QStringLiteral("SELECT Category FROM merch GROUP BY Category ORDER BY Category");
const QString kAddSetRow = QStringLiteral(
    "INSERT INTO merch (Category, Name, Kolvo, Edizm, Price, Summ, Currency, Definds) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
const QString kSaveSetRow = QStringLiteral(
    "UPDATE merch SET Category = ?, Name = ?, Kolvo = ?, Edizm = ?, Price = ?, Summ = ?, "
    "Currency = ?, Definds = ? WHERE MerchID = ?");
const QString kDeleteSet = QStringLiteral("DELETE FROM merch WHERE Category = ?");
const QString kReadItem = QStringLiteral(
    "SELECT TovarID, Name, Edizm, Price2, Currency, Definds, Dop FROM LISTM WHERE TovarID = ?");
const QString kListItems =
    QStringLiteral("SELECT TovarID, Name, Edizm, Price2, Currency, Definds, Dop FROM LISTM "
                   "ORDER BY Name, TovarID");

QVariantList RowParams(const std::string &name, const SubjectRow &row) {
    return {ToQt(name), ToQt(row.name), qlonglong(row.kolvo), ToQt(row.edizm),
            row.price,  row.summ,       ToQt(row.currency),   ToQt(row.definds)};
}

CatalogueItem ReadItemColumns(const QSqlQuery &row) {
    CatalogueItem item;
    item.id = row.value(0).toInt();
    item.name = FromQt(row.value(1));
    item.unit = FromQt(row.value(2));
    item.price = row.value(3).toDouble();
    item.currency = FromQt(row.value(4));
    item.vat = FromQt(row.value(5));
    item.extra = FromQt(row.value(6));
    return item;
}

// Keeps a transaction open until Commit; rolls it back when left early.
class Transaction {
  public:
    explicit Transaction(SqlConnection &db) : m_db(db) {}
    ~Transaction() {
        if (m_begun && !m_done)
            m_db.Rollback();
    }
    bool Begin(DbError *error) { return m_begun = m_db.Begin(error); }
    bool Commit(DbError *error) {
        m_done = true;
        return m_db.Commit(error);
    }

  private:
    SqlConnection &m_db;
    bool m_begun = false;
    bool m_done = false;
};

} // namespace

std::string NoSetName() {
    return std::string("<не определено>"_w);
}

bool SubjectStore::RowKeys(const std::string &name, std::vector<int> &keys, DbError *error) {
    keys.clear();
    return m_db.Select(
        kSetKeys, {ToQt(name)},
        [&](const QSqlQuery &row) {
            keys.push_back(row.value(0).toInt());
            return true;
        },
        error);
}

std::optional<SubjectSet> SubjectStore::ReadSet(const std::string &name, DbError *error) {
    SubjectSet set;
    const bool ok = m_db.Select(
        kReadSet, {ToQt(name)},
        [&](const QSqlQuery &row) {
            if (set.rows.empty())
                set.category = FromQt(row.value(8));
            SubjectRow &r = set.rows.emplace_back();
            r.name = FromQt(row.value(1));
            r.kolvo = row.value(2).toLongLong();
            r.edizm = FromQt(row.value(3));
            r.price = row.value(4).toDouble();
            r.summ = row.value(5).toDouble();
            r.currency = FromQt(row.value(6));
            r.definds = FromQt(row.value(7));
            return set.rows.size() < kSubjectRows;
        },
        error);
    if (!ok)
        return std::nullopt;
    if (set.rows.empty()) {
        if (error)
            *error = DbError{};
        return std::nullopt;
    }
    return set;
}

bool SubjectStore::SetNames(std::vector<std::string> &out, DbError *error) {
    out.clear();
    return m_db.Select(
        kSetNames, {},
        [&](const QSqlQuery &row) {
            out.push_back(FromQt(row.value(0)));
            return true;
        },
        error);
}

bool SubjectStore::CreateSet(const std::string &name, DbError *error) {
    Transaction transaction(m_db);
    return transaction.Begin(error) && AddMissingRows(name, 0, error) && transaction.Commit(error);
}

bool SubjectStore::AddMissingRows(const std::string &name, std::size_t atLeast, DbError *error) {
    if (name.empty())
        return SetError(error, DbError::Kind::Invalid, QStringLiteral("a set needs a name"));
    std::vector<int> keys;
    if (!RowKeys(name, keys, error))
        return false;
    // A new set gets its seven rows; one stored short by another program gets what it lacks.
    const std::size_t wanted = keys.empty() ? kSubjectRows : atLeast;
    for (std::size_t i = keys.size(); i < wanted; ++i)
        if (!m_db.Insert(kAddSetRow, RowParams(name, SubjectRow{}), kMerchKey, error))
            return false;
    return true;
}

bool SubjectStore::SaveSet(const std::string &name, const std::vector<SubjectRow> &rows,
                           DbError *error) {
    if (name.empty())
        return SetError(error, DbError::Kind::Invalid, QStringLiteral("a set needs a name"));
    Transaction transaction(m_db);
    if (!transaction.Begin(error))
        return false;
    std::vector<int> keys;
    if (!RowKeys(name, keys, error))
        return false;
    for (std::size_t i = 0; i < kSubjectRows; ++i) {
        QVariantList params = RowParams(name, i < rows.size() ? rows[i] : SubjectRow{});
        if (i < keys.size()) {
            params << keys[i];
            if (!m_db.Exec(kSaveSetRow, params, error))
                return false;
        } else if (!m_db.Insert(kAddSetRow, params, kMerchKey, error)) {
            return false;
        }
    }
    return transaction.Commit(error);
}

bool SubjectStore::DeleteSet(const std::string &name, DbError *error) {
    if (EqualsIgnoreCase(name, NoSetName()))
        return SetError(error, DbError::Kind::Invalid,
                        QStringLiteral("the set %1 is never deleted").arg(ToQt(name)));
    return m_db.Exec(kDeleteSet, {ToQt(name)}, error);
}

bool SubjectStore::SetRow(const std::string &name, std::size_t row, const ColumnValues &values,
                          DbError *error) {
    if (row >= kSubjectRows)
        return SetError(error, DbError::Kind::Invalid,
                        QStringLiteral("a set has rows 1 to %1").arg(kSubjectRows));
    std::vector<Assignment> assignments;
    if (!Resolve(m_db.Sql(), kMerchColumns, values, assignments, error))
        return false;
    Transaction transaction(m_db);
    if (!transaction.Begin(error))
        return false;
    std::vector<int> keys;
    if (!AddMissingRows(name, row + 1, error) || !RowKeys(name, keys, error))
        return false;
    auto has = [&](const char *column) {
        return std::any_of(assignments.begin(), assignments.end(), [&](const Assignment &a) {
            return a.column == m_db.Sql().QuoteIdentifier(QLatin1String(column));
        });
    };
    if (!assignments.empty() && !UpdateRow(m_db, kMerch, kMerchKey, keys[row], assignments, error))
        return false;
    if ((has("Kolvo") || has("Price")) && !has("Summ") &&
        !m_db.Exec(QStringLiteral("UPDATE merch SET Summ = Kolvo * Price WHERE MerchID = ?"),
                   {keys[row]}, error))
        return false;
    return transaction.Commit(error);
}

std::optional<CatalogueItem> SubjectStore::ReadItem(int id, DbError *error) {
    return SelectOne(m_db, kReadItem, {id}, ReadItemColumns, error);
}

bool SubjectStore::ListItems(std::vector<CatalogueItem> &out, DbError *error) {
    out.clear();
    return m_db.Select(
        kListItems, {},
        [&](const QSqlQuery &row) {
            out.push_back(ReadItemColumns(row));
            return true;
        },
        error);
}

std::optional<int> SubjectStore::AddItem(const ColumnValues &values, DbError *error) {
    return InsertValues(m_db, kListm, kListmKey, kListmColumns, values, error);
}

bool SubjectStore::UpdateItem(int id, const ColumnValues &values, DbError *error) {
    return UpdateValues(m_db, kListm, kListmKey, id, kListmColumns, values, error);
}

bool SubjectStore::DeleteItem(int id, DbError *error) {
    return DeleteRow(m_db, kListm, kListmKey, id, error);
}

} // namespace dravo::refdata
