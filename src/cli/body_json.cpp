#include "body_json.h"

#include "core/defaults.h"
#include "core/text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>

#include <bit>
#include <cmath>
#include <cstdio>

namespace dravo::cli {

namespace {

using U16Field = std::uint16_t CPun::*;
using TextField = std::string CPun::*;
using DoubleField = double CPun::*;

struct Fields {
    std::initializer_list<std::pair<const char *, U16Field>> numbers;
    std::initializer_list<std::pair<const char *, TextField>> texts;
    std::initializer_list<std::pair<const char *, DoubleField>> doubles;
};

// Field names in file order, grouped by type (the order of keys in a JSON object is the
// writer's, not ours).
const Fields kFields = {
    {{"m_nType", &CPun::m_nType},
     {"m_nCheck", &CPun::m_nCheck},
     {"m_nMark", &CPun::m_nMark},
     {"m_nFontSize", &CPun::m_nFontSize},
     {"m_nItalic", &CPun::m_nItalic},
     {"m_nBold", &CPun::m_nBold},
     {"m_nAlign", &CPun::m_nAlign},
     {"m_nTopMargin", &CPun::m_nTopMargin},
     {"m_nLeftMargin", &CPun::m_nLeftMargin}},
    {{"m_strName", &CPun::m_strName},
     {"m_strText", &CPun::m_strText},
     {"m_strFont", &CPun::m_strFont}},
    {{"m_dWidth", &CPun::m_dWidth}, {"m_dFirstIndent", &CPun::m_dFirstIndent}},
};

QString Utf8(const std::string &cp1251Text) {
    return QString::fromStdString(ToUtf8(cp1251Text));
}

QJsonValue DoubleToJson(double d) {
    if (std::isfinite(d) && !(d == 0.0 && std::signbit(d)))
        return d;
    char bits[32];
    std::snprintf(bits, sizeof bits, "0x%016llx",
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(d)));
    return QString::fromLatin1(bits);
}

// How the texts enter the document: whole, or (for the streaming writer) as numbered
// placeholders whose texts are written straight to the output, so that a large text is never
// held as UTF-16 and as JSON at once.
struct Texts {
    std::vector<const std::string *> *deferred = nullptr;

    QJsonValue operator()(const std::string &cp1251) const {
        if (!deferred)
            return Utf8(cp1251);
        deferred->push_back(&cp1251);
        return QString::fromLatin1(kPlaceholderStart) + QString::number(deferred->size() - 1) +
               QString::fromLatin1(kPlaceholderEnd);
    }

    // No key and no other value of the document starts so.
    static constexpr const char *kPlaceholderStart = "@@T";
    static constexpr const char *kPlaceholderEnd = "@@";
};

QJsonObject ItemToJson(const CPun &p, const Texts &texts) {
    QJsonObject o;
    for (const auto &[name, field] : kFields.numbers)
        o.insert(QLatin1String(name), static_cast<int>(p.*field));
    for (const auto &[name, field] : kFields.texts)
        o.insert(QLatin1String(name), texts(p.*field));
    for (const auto &[name, field] : kFields.doubles)
        o.insert(QLatin1String(name), DoubleToJson(p.*field));
    return o;
}

template <typename Items> QJsonArray ItemsToJson(const Items &items, const Texts &texts) {
    QJsonArray a;
    for (const CPun &item : items)
        a.append(ItemToJson(item, texts));
    return a;
}

QJsonObject ListToJson(const CPar &par, const Texts &texts, const char *itemsKey = "items") {
    QJsonObject o;
    o.insert(QLatin1String("heading"), ItemToJson(par.m_head, texts));
    o.insert(QLatin1String(itemsKey), ItemsToJson(par.m_arItems, texts));
    return o;
}

QJsonObject BodyObject(const CBody &body, const Texts &texts) {
    QJsonObject root;
    root.insert(QLatin1String("version"), texts(body.m_strVersion));
    root.insert(QLatin1String("paragraphs"), ItemsToJson(body.m_arParagraphs, texts));
    QJsonArray articles;
    for (const CPar &article : body.m_arArticles)
        articles.append(ListToJson(article, texts, "clauses"));
    root.insert(QLatin1String("articles"), articles);
    root.insert(QLatin1String("variables"), ListToJson(body.m_parVariables, texts));
    if (body.m_strVersion == kCurrentVersion) {
        root.insert(QLatin1String("parties"), ListToJson(body.m_parParties, texts));
        QJsonArray tables;
        for (const CPar &table : body.m_parFieldTables)
            tables.append(ListToJson(table, texts));
        root.insert(QLatin1String("fieldTables"), tables);
        root.insert(QLatin1String("layout"), ListToJson(body.m_parLayout, texts));
    }
    return root;
}

// Writes a windows-1251 text as a JSON string, escaped as QJsonDocument escapes it.
class JsonTextWriter {
  public:
    explicit JsonTextWriter(std::FILE *out) : m_out(out) {}
    ~JsonTextWriter() { Flush(); }

    void Raw(std::string_view bytes) {
        if (m_buffer.size() + bytes.size() > kChunk)
            Flush();
        if (bytes.size() > kChunk)
            m_ok = std::fwrite(bytes.data(), 1, bytes.size(), m_out) == bytes.size() && m_ok;
        else
            m_buffer.append(bytes);
    }

    void Text(std::string_view cp1251) {
        Raw("\"");
        for (const char c : cp1251) {
            if (m_buffer.size() + 8 > kChunk)
                Flush();
            const char32_t cp = cp1251::ToCodePoint(static_cast<unsigned char>(c));
            switch (cp) {
            case '"':
                m_buffer += "\\\"";
                continue;
            case '\\':
                m_buffer += "\\\\";
                continue;
            case '\b':
                m_buffer += "\\b";
                continue;
            case '\f':
                m_buffer += "\\f";
                continue;
            case '\n':
                m_buffer += "\\n";
                continue;
            case '\r':
                m_buffer += "\\r";
                continue;
            case '\t':
                m_buffer += "\\t";
                continue;
            default:
                break;
            }
            if (cp < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(cp));
                m_buffer += escaped;
            } else if (cp < 0x80) {
                m_buffer += static_cast<char>(cp);
            } else if (cp < 0x800) {
                m_buffer += static_cast<char>(0xC0 | (cp >> 6));
                m_buffer += static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                m_buffer += static_cast<char>(0xE0 | (cp >> 12));
                m_buffer += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                m_buffer += static_cast<char>(0x80 | (cp & 0x3F));
            }
        }
        Raw("\"");
    }

    bool Flush() {
        if (!m_buffer.empty())
            m_ok =
                std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out) == m_buffer.size() && m_ok;
        m_buffer.clear();
        return m_ok;
    }

  private:
    static constexpr std::size_t kChunk = 1 << 16;
    std::FILE *m_out;
    std::string m_buffer;
    bool m_ok = true;
};

// Reading: every function takes the JSON path of what it reads, for the error message.
class Reader {
  public:
    std::string error;

    bool Fail(const QString &path, const char *what) {
        error = (path.isEmpty() ? QString() : path + QLatin1String(": ")).toStdString() + what;
        return false;
    }

    bool Object(const QJsonValue &v, const QString &path, QJsonObject &o,
                std::initializer_list<const char *> allowed) {
        if (!v.isObject())
            return Fail(path, "an object expected");
        o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it) {
            bool known = false;
            for (const char *key : allowed)
                known = known || it.key() == QLatin1String(key);
            if (!known)
                return Fail(path + QLatin1Char('.') + it.key(), "unknown key");
        }
        return true;
    }

    bool Array(const QJsonValue &v, const QString &path, QJsonArray &a, qsizetype maxSize) {
        if (!v.isArray())
            return Fail(path, "an array expected");
        a = v.toArray();
        if (a.size() > maxSize)
            return Fail(path, "too many entries for the file (at most 65535)");
        return true;
    }

    bool Double(const QJsonValue &v, const QString &path, double &d) {
        if (v.isDouble()) {
            d = v.toDouble();
            return true;
        }
        const QString s = v.toString();
        bool ok = false;
        const qulonglong bits =
            s.startsWith(QLatin1String("0x")) && s.size() == 18 ? s.mid(2).toULongLong(&ok, 16) : 0;
        if (!v.isString() || !ok)
            return Fail(path, "a number or \"0x\" and 16 hex digits expected");
        d = std::bit_cast<double>(static_cast<std::uint64_t>(bits));
        return true;
    }

    bool Item(const QJsonValue &v, const QString &path, CPun &p) {
        QJsonObject o;
        if (!Object(v, path, o,
                    {"m_nType", "m_nCheck", "m_nMark", "m_strName", "m_strText", "m_strFont",
                     "m_nFontSize", "m_nItalic", "m_nBold", "m_nAlign", "m_nTopMargin",
                     "m_nLeftMargin", "m_dWidth", "m_dFirstIndent"}))
            return false;
        p = CPun{};
        for (const auto &[name, field] : kFields.numbers) {
            const QJsonValue n = o.value(QLatin1String(name));
            if (n.isUndefined())
                continue;
            const double d = n.toDouble(-1.0);
            if (!n.isDouble() || d < 0 || d > 65535 || d != std::floor(d))
                return Fail(path + QLatin1Char('.') + QLatin1String(name),
                            "a whole number from 0 to 65535 expected");
            p.*field = static_cast<std::uint16_t>(d);
        }
        for (const auto &[name, field] : kFields.texts) {
            const QJsonValue t = o.value(QLatin1String(name));
            if (t.isUndefined())
                continue;
            if (!t.isString())
                return Fail(path + QLatin1Char('.') + QLatin1String(name), "a text expected");
            char32_t refused = 0;
            if (!FromUtf8Exact(t.toString().toStdString(), p.*field, refused))
                return Fail(path + QLatin1Char('.') + QLatin1String(name),
                            RefusedCharacterMessage(refused).c_str());
        }
        for (const auto &[name, field] : kFields.doubles) {
            const QJsonValue d = o.value(QLatin1String(name));
            if (!d.isUndefined() &&
                !Double(d, path + QLatin1Char('.') + QLatin1String(name), p.*field))
                return false;
        }
        return true;
    }

    bool Items(const QJsonValue &v, const QString &path, std::vector<CPun> &items) {
        QJsonArray a;
        if (!Array(v, path, a, 0xFFFF))
            return false;
        items.assign(static_cast<std::size_t>(a.size()), CPun{});
        for (qsizetype i = 0; i < a.size(); ++i)
            if (!Item(a[i], path + QStringLiteral("[%1]").arg(i), items[std::size_t(i)]))
                return false;
        return true;
    }

    bool List(const QJsonValue &v, const QString &path, CPar &par, const char *itemsKey = "items") {
        QJsonObject o;
        if (!Object(v, path, o, {"heading", itemsKey}))
            return false;
        par = CPar{};
        const QJsonValue head = o.value(QLatin1String("heading"));
        if (!head.isUndefined() && !Item(head, path + QLatin1String(".heading"), par.m_head))
            return false;
        const QJsonValue items = o.value(QLatin1String(itemsKey));
        return items.isUndefined() ||
               Items(items, path + QLatin1Char('.') + QLatin1String(itemsKey), par.m_arItems);
    }
};

} // namespace

QByteArray BodyToJson(const CBody &body) {
    return QJsonDocument(BodyObject(body, Texts{})).toJson(QJsonDocument::Indented);
}

bool WriteBodyJson(const CBody &body, std::FILE *out) {
    std::vector<const std::string *> texts;
    const QByteArray frame =
        QJsonDocument(BodyObject(body, Texts{&texts})).toJson(QJsonDocument::Indented);
    const std::string_view json(frame.constData(), static_cast<std::size_t>(frame.size()));
    const std::string start = std::string("\"") + Texts::kPlaceholderStart;
    JsonTextWriter writer(out);
    std::size_t at = 0;
    for (std::size_t found; (found = json.find(start, at)) != std::string_view::npos;) {
        const std::size_t digits = found + start.size();
        const std::size_t end = json.find('"', digits);
        writer.Raw(json.substr(at, found - at));
        const std::size_t index = std::stoul(std::string(json.substr(digits, end - digits)));
        writer.Text(*texts.at(index));
        at = end + 1;
    }
    writer.Raw(json.substr(at));
    return writer.Flush();
}

bool BodyFromJson(const QByteArray &json, CBody &body, std::string &error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull()) {
        error = "not valid JSON at offset " + std::to_string(parseError.offset) + ": " +
                parseError.errorString().toStdString();
        return false;
    }
    Reader r;
    CBody read;
    QJsonObject root;
    auto fail = [&] {
        error = r.error;
        return false;
    };
    auto bad = [&](const QString &path, const char *what) {
        r.Fail(path, what);
        return fail();
    };
    if (!r.Object(
            doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(), QString(), root,
            {"version", "paragraphs", "articles", "variables", "parties", "fieldTables", "layout"}))
        return fail();

    const QJsonValue version = root.value(QLatin1String("version"));
    if (!version.isString())
        return bad(QStringLiteral("version"), "a text expected");
    char32_t refused = 0;
    if (!FromUtf8Exact(version.toString().toStdString(), read.m_strVersion, refused))
        return bad(QStringLiteral("version"), RefusedCharacterMessage(refused).c_str());
    const bool current = read.m_strVersion == kCurrentVersion;

    std::vector<CPun> paragraphs;
    if (!r.Items(root.value(QLatin1String("paragraphs")), QStringLiteral("paragraphs"), paragraphs))
        return fail();
    if (paragraphs.size() != kParagraphCount)
        return bad(QStringLiteral("paragraphs"), "exactly 7 paragraphs expected");
    std::copy(paragraphs.begin(), paragraphs.end(), read.m_arParagraphs.begin());

    read.m_arArticles.clear();
    if (const QJsonValue v = root.value(QLatin1String("articles")); !v.isUndefined()) {
        QJsonArray a;
        if (!r.Array(v, QStringLiteral("articles"), a, 0xFFFF))
            return fail();
        read.m_arArticles.resize(static_cast<std::size_t>(a.size()));
        for (qsizetype i = 0; i < a.size(); ++i)
            if (!r.List(a[i], QStringLiteral("articles[%1]").arg(i),
                        read.m_arArticles[std::size_t(i)], "clauses"))
                return fail();
    }
    if (const QJsonValue v = root.value(QLatin1String("variables")); !v.isUndefined())
        if (!r.List(v, QStringLiteral("variables"), read.m_parVariables))
            return fail();

    for (const char *key : {"parties", "fieldTables", "layout"})
        if (!current && root.contains(QLatin1String(key)))
            return bad(QLatin1String(key), "only a current-format (ADF2.2) body has it");
    if (current) {
        if (const QJsonValue v = root.value(QLatin1String("parties")); !v.isUndefined())
            if (!r.List(v, QStringLiteral("parties"), read.m_parParties))
                return fail();
        if (const QJsonValue v = root.value(QLatin1String("layout")); !v.isUndefined())
            if (!r.List(v, QStringLiteral("layout"), read.m_parLayout))
                return fail();
        if (const QJsonValue v = root.value(QLatin1String("fieldTables")); !v.isUndefined()) {
            QJsonArray a;
            if (!r.Array(v, QStringLiteral("fieldTables"), a, kFieldTableCount))
                return fail();
            if (a.size() != qsizetype(kFieldTableCount))
                return bad(QStringLiteral("fieldTables"), "exactly 4 tables expected");
            for (qsizetype i = 0; i < a.size(); ++i) {
                CPar &table = read.m_parFieldTables[std::size_t(i)];
                if (!r.List(a[i], QStringLiteral("fieldTables[%1]").arg(i), table))
                    return fail();
                table.m_arItems.resize(kFieldTableSlots);
            }
        } else {
            SetDefaultFieldTables(read);
        }
    }
    body = std::move(read);
    return true;
}

} // namespace dravo::cli
