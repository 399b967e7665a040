#include "journal.h"

#include <climits>

#include "core/setup_data.h"
#include "dialect.h"
#include "qt_text.h"
#include "schema.h"

#include <QByteArray>
#include <QMetaType>

#include <QSqlQuery>
#include <algorithm>
#include <iterator>

namespace dravo::refdata {

namespace {

const QDate kDayZero(1899, 12, 30);

const QString kColumns = QStringLiteral(
    "BookID, Number, NumberS, Date, Name, Kontragent, Status, Predmet, Price, Date_contr, "
    "Form_rasch, Deb, Cred, Otv, NF");

// A date column as the engine's date. The ISO text "yyyy-MM-dd" that the database keeps is read
// without the round trip through QDate's parser; anything else goes the general way.
Date ReadDay(const QVariant &value) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        const auto digit = [&](qsizetype i) {
            const char16_t c = text[i].unicode();
            return c >= u'0' && c <= u'9' ? c - u'0' : -1;
        };
        if (text.size() >= 10 && text[4] == u'-' && text[7] == u'-') {
            const int d[8] = {digit(0), digit(1), digit(2), digit(3),
                              digit(5), digit(6), digit(8), digit(9)};
            if (std::all_of(std::begin(d), std::end(d), [](int x) { return x >= 0; })) {
                const Date date = DateFromCalendar(d[0] * 1000 + d[1] * 100 + d[2] * 10 + d[3],
                                                   d[4] * 10 + d[5], d[6] * 10 + d[7]);
                if (date.valid)
                    return date;
            }
        }
    }
    return FromQDate(Dialect::ReadDate(value));
}

JournalRow ReadRow(const QSqlQuery &q) {
    JournalRow row;
    row.bookId = q.value(0).toInt();
    row.number = q.value(1).toInt();
    row.numberText = FromQt(q.value(2));
    row.date = ReadDay(q.value(3));
    row.name = FromQt(q.value(4));
    row.kontragent = FromQt(q.value(5));
    row.status = FromQt(q.value(6));
    row.predmet = FromQt(q.value(7));
    row.price = q.value(8).toLongLong();
    row.dateControl = ReadDay(q.value(9));
    row.formRasch = FromQt(q.value(10));
    row.deb = q.value(11).toLongLong();
    row.cred = q.value(12).toLongLong();
    row.otv = FromQt(q.value(13));
    row.nf = FromQt(q.value(14));
    return row;
}

// The card's columns in the order they are written.
QVariantList CardValues(const Dialect &dialect, const JournalRow &row) {
    return {ToQt(row.numberText),
            row.number,
            dialect.DateValue(ToQDate(row.date)),
            dialect.DateValue(ToQDate(row.dateControl)),
            ToQt(row.name),
            ToQt(row.kontragent),
            ToQt(row.status),
            ToQt(row.predmet),
            qlonglong(row.price),
            ToQt(row.formRasch),
            qlonglong(row.deb),
            qlonglong(row.cred),
            ToQt(row.otv),
            ToQt(row.nf)};
}

std::optional<Date> IsoDay(std::string_view text) {
    const QDate date =
        QDate::fromString(QString::fromLatin1(text.data(), qsizetype(text.size())), Qt::ISODate);
    if (!date.isValid() || text.size() != 10)
        return std::nullopt;
    return FromQDate(date);
}

} // namespace

QDate ToQDate(const Date &date) {
    if (!date.valid)
        return {};
    return kDayZero.addDays(static_cast<qint64>(date.days));
}

Date FromQDate(const QDate &date) {
    if (!date.isValid())
        return {};
    return Date{static_cast<double>(kDayZero.daysTo(date)), true};
}

std::string VariableDataText(const CBody &body) {
    std::string out;
    for (const CPun &item : body.m_parVariables.m_arItems) {
        if (item.m_strName.empty() || (!item.m_strFont.empty() && item.m_strFont[0] == '-'))
            continue;
        out += EscapedField(item.m_strName);
        out += '\t';
        out += EscapedField(item.m_strText);
        out += '\n';
    }
    return out;
}

bool JournalStore::List(const JournalFilter &filter, std::vector<JournalRow> &rows,
                        DbError *error) {
    rows.clear();
    // A period that cannot be read, or whose start is after its end, holds no rows.
    if (!filter.from.valid || !filter.to.valid || filter.from.days > filter.to.days)
        return m_db.IsOpen() ? true : SetError(error, DbError::Kind::NotOpen, "no database");
    QString sql = QStringLiteral("SELECT ") + kColumns +
                  QStringLiteral(" FROM book WHERE Date >= ? AND Date <= ?");
    QVariantList params = {m_db.Sql().DateValue(ToQDate(filter.from)),
                           m_db.Sql().DateValue(ToQDate(filter.to))};
    const std::pair<const char *, const std::string *> conditions[] = {
        {" AND Name = ?", &filter.name},       {" AND Kontragent = ?", &filter.kontragent},
        {" AND Predmet = ?", &filter.predmet}, {" AND Otv = ?", &filter.otv},
        {" AND NF = ?", &filter.nf},
    };
    for (const auto &[condition, value] : conditions) {
        if (value->empty())
            continue;
        sql += QLatin1String(condition);
        params << ToQt(*value);
    }
    sql += QStringLiteral(" ORDER BY Date, Number, NumberS");
    return m_db.Select(
        sql, params,
        [&](const QSqlQuery &q) {
            rows.push_back(ReadRow(q));
            return true;
        },
        error);
}

std::optional<JournalRow> JournalStore::Read(int bookId, DbError *error) {
    std::optional<JournalRow> found;
    const bool ok = m_db.Select(
        QStringLiteral("SELECT ") + kColumns + QStringLiteral(" FROM book WHERE BookID = ?"),
        {bookId},
        [&](const QSqlQuery &q) {
            found = ReadRow(q);
            return false;
        },
        error);
    if (ok && error)
        *error = DbError{};
    return ok ? found : std::nullopt;
}

std::optional<RegisteredContent> JournalStore::ReadContent(int bookId, std::string *name,
                                                           DbError *error) {
    if (!m_templateColumns)
        m_templateColumns = HasTemplateColumns(m_db);
    const QString sql =
        *m_templateColumns
            ? QStringLiteral("SELECT Body, Name, Template, VarData FROM book WHERE BookID = ?")
            : QStringLiteral("SELECT Body, Name FROM book WHERE BookID = ?");
    std::optional<RegisteredContent> found;
    const bool ok = m_db.Select(
        sql, {bookId},
        [&](const QSqlQuery &q) {
            RegisteredContent content;
            content.body = FromQt(q.value(0));
            if (name)
                *name = FromQt(q.value(1));
            if (*m_templateColumns) {
                const QByteArray bytes = q.value(2).toByteArray();
                content.templateFile.assign(bytes.constData(), std::size_t(bytes.size()));
                content.varData = FromQt(q.value(3));
            }
            found = std::move(content);
            return false;
        },
        error);
    if (ok && error)
        *error = DbError{};
    return ok ? found : std::nullopt;
}

std::optional<int> JournalStore::Register(const JournalRow &given, const RegisteredContent &content,
                                          DbError *error, Numbering numbering) {
    if (!m_templateColumns)
        m_templateColumns = HasTemplateColumns(m_db);
    // The number is taken and the row stored in one transaction that keeps every other writer
    // of the journal waiting: two programs registering at once never take the same number.
    // Within a caller's transaction (many rows stored at once) the row joins it, the journal
    // locked all the same.
    const bool own = !m_db.InTransaction();
    const QString lock = m_db.Sql().LockTableStatement(m_db.Sql().QuoteIdentifier("book"));
    if (own ? !m_db.BeginWrite(QStringLiteral("book"), error)
            : !lock.isEmpty() && !m_db.Exec(lock, {}, error))
        return std::nullopt;
    const auto fail = [&] {
        if (own)
            m_db.Rollback();
        return std::nullopt;
    };
    JournalRow row = given;
    if (numbering == Numbering::Next) {
        const auto largest = m_db.Value(QStringLiteral("SELECT max(Number) FROM book"), {}, error);
        if (!largest) {
            if (error && !*error)
                SetError(error, DbError::Kind::Failed,
                         QStringLiteral("the journal gives no number"));
            return fail();
        }
        const qlonglong last = largest->isNull() ? 0 : largest->toLongLong();
        row.number = last >= INT_MAX ? INT_MAX : int(last < 0 ? 1 : last + 1);
        row.numberText = std::to_string(row.number);
    }
    QVariantList params = CardValues(m_db.Sql(), row);
    params << ToQt(content.body);
    QString sql = QStringLiteral(
        "INSERT INTO book (NumberS, Number, Date, Date_contr, Name, Kontragent, Status, Predmet, "
        "Price, Form_rasch, Deb, Cred, Otv, NF, Body");
    if (*m_templateColumns) {
        sql += QStringLiteral(", Template, VarData) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                              "?, ?, ?, ?)");
        params << QByteArray(content.templateFile.data(), qsizetype(content.templateFile.size()))
               << ToQt(content.varData);
    } else {
        sql += QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    }
    const auto id = m_db.Insert(sql, params, QStringLiteral("BookID"), error);
    if (!id || (own && !m_db.Commit(error)))
        return fail();
    return static_cast<int>(*id);
}

bool JournalStore::Update(int bookId, const JournalRow &row, DbError *error) {
    QVariantList params = CardValues(m_db.Sql(), row);
    params << bookId;
    if (!m_db.Exec(QStringLiteral("UPDATE book SET NumberS = ?, Number = ?, Date = ?, "
                                  "Date_contr = ?, Name = ?, Kontragent = ?, Status = ?, "
                                  "Predmet = ?, Price = ?, Form_rasch = ?, Deb = ?, Cred = ?, "
                                  "Otv = ?, NF = ? WHERE BookID = ?"),
                   params, error))
        return false;
    if (m_db.RowsAffected() == 0)
        return SetError(error, DbError::Kind::NotFound,
                        QStringLiteral("no journal row %1").arg(bookId));
    return true;
}

bool JournalStore::Delete(int bookId, DbError *error) {
    if (!m_db.Exec(QStringLiteral("DELETE FROM book WHERE BookID = ?"), {bookId}, error))
        return false;
    if (m_db.RowsAffected() == 0)
        return SetError(error, DbError::Kind::NotFound,
                        QStringLiteral("no journal row %1").arg(bookId));
    return true;
}

int JournalStore::LargestNumber(DbError *error) {
    return m_db.Value(QStringLiteral("SELECT max(Number) FROM book"), {}, error)
        .value_or(QVariant(0))
        .toInt();
}

const std::vector<std::string> &JournalStore::ColumnNames() {
    static const std::vector<std::string> names = {
        "BookID", "Number",     "NumberS",    "Date", "Name", "Kontragent", "Status", "Predmet",
        "Price",  "Date_contr", "Form_rasch", "Deb",  "Cred", "Otv",        "NF"};
    return names;
}

std::vector<std::string> JournalStore::ColumnTexts(const JournalRow &row) {
    const auto date = [](const Date &d) {
        return d.valid ? ToQDate(d).toString(Qt::ISODate).toStdString() : std::string();
    };
    return {std::to_string(row.bookId),
            std::to_string(row.number),
            row.numberText,
            date(row.date),
            row.name,
            row.kontragent,
            row.status,
            row.predmet,
            std::to_string(row.price),
            date(row.dateControl),
            row.formRasch,
            std::to_string(row.deb),
            std::to_string(row.cred),
            row.otv,
            row.nf};
}

bool JournalStore::SetColumn(JournalRow &row, std::string_view column, std::string_view value,
                             std::string *reason) {
    const auto fail = [&](const std::string &why) {
        if (reason)
            *reason = std::string(column) + ": " + why;
        return false;
    };
    const auto lower = QString::fromLatin1(column.data(), qsizetype(column.size())).toLower();
    const auto is = [&](const char *name) {
        return lower == QLatin1String(name).toString().toLower();
    };
    const auto amount = [&](long long &target) {
        const auto parsed = textgen::AmountValue(value);
        if (!parsed && !value.empty())
            return fail("not a number");
        target = parsed.value_or(0);
        return true;
    };
    const auto date = [&](Date &target) {
        const auto parsed = IsoDay(value);
        if (!parsed)
            return fail("expected a date YYYY-MM-DD");
        target = *parsed;
        return true;
    };
    if (is("NumberS")) {
        if (value.size() > 10)
            return fail("at most 10 characters");
        row.numberText = textgen::StoredText(value);
        row.number = LeadingNumber(value);
        return true;
    }
    if (is("Date"))
        return date(row.date);
    if (is("Date_contr"))
        return date(row.dateControl);
    if (is("Price"))
        return amount(row.price);
    if (is("Deb"))
        return amount(row.deb);
    if (is("Cred"))
        return amount(row.cred);
    std::string *texts[] = {&row.name,      &row.kontragent, &row.status, &row.predmet,
                            &row.formRasch, &row.otv,        &row.nf};
    const char *names[] = {"Name", "Kontragent", "Status", "Predmet", "Form_rasch", "Otv", "NF"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (is(names[i])) {
            *texts[i] = textgen::StoredText(value);
            return true;
        }
    }
    return fail("no such journal column");
}

} // namespace dravo::refdata
