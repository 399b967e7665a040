#include "textgen/batch.h"

#include <charconv>

#include "core/text.h"
#include "textgen/html.h"

namespace dravo::textgen {

namespace {

bool ValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t at = i;
        if (cp1251::DecodeUtf8(s, i) == 0xFFFD &&
            !(i - at == 3 && s.substr(at, 3) == "\xEF\xBF\xBD"))
            return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The separator of the header line: the one of ';' and ',' that it uses more often outside
// quotes; a comma when it has neither (a table of one column).
char DetectDelimiter(std::string_view text) {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
    }
    return semicolons > commas ? ';' : ',';
}

int ToInt(std::string_view s, bool &ok) {
    int v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    ok = ok && !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
    return v;
}

bool SameWord(std::string_view utf8, std::string_view word) {
    return EqualsIgnoreCase(FromUtf8(utf8), FromUtf8(word));
}

} // namespace

bool ReadCsv(std::string_view bytes, CsvTable &table, std::string &error) {
    table = {};
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    const std::string text = ValidUtf8(bytes) ? std::string(bytes) : ToUtf8(bytes);
    const char sep = DetectDelimiter(text);
    table.delimiter = sep;

    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false; // anything (even "") was read for the field
    std::size_t line = 1;
    record.line = 1;
    const auto endField = [&] {
        record.fields.push_back(field);
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        endField();
        const bool empty = record.fields.size() == 1 && record.fields[0].empty();
        if (!empty)
            records.push_back(std::move(record));
        record = {};
    };
    std::size_t quoteLine = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line;
                if (c != '\r' || (i + 1 < text.size() && text[i + 1] != '\n'))
                    field += c;
            }
            continue;
        }
        if (c == '"' && TrimBlanks(field).empty()) {
            quoted = true;
            quoteLine = line;
            field.clear();
            fieldStarted = true;
        } else if (c == sep) {
            endField();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRecord();
            record.line = ++line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        error = "line " + std::to_string(quoteLine) + ": a quoted field is not closed";
        return false;
    }
    if (fieldStarted || !field.empty() || !record.fields.empty())
        endRecord();
    if (records.empty()) {
        error = "the table is empty: its first line must name the columns";
        return false;
    }
    for (const std::string &name : records.front().fields)
        table.header.emplace_back(TrimBlanks(name));
    for (std::size_t i = 0; i < table.header.size(); ++i) {
        if (table.header[i].empty()) {
            error = "line " + std::to_string(records.front().line) + ": column " +
                    std::to_string(i + 1) + " has no name";
            return false;
        }
        for (std::size_t j = 0; j < i; ++j)
            if (SameWord(table.header[i], table.header[j])) {
                error = "line " + std::to_string(records.front().line) + ": the column '" +
                        table.header[i] + "' is named twice";
                return false;
            }
    }
    table.rows.assign(std::make_move_iterator(records.begin() + 1),
                      std::make_move_iterator(records.end()));
    return true;
}

std::optional<std::size_t> FindVariableIndex(const CBody &body, std::string_view name) {
    for (std::size_t k = 0; k < body.VariableCount(); ++k)
        if (EqualsIgnoreCase(body.Variable(static_cast<std::uint16_t>(k)).m_strName, name))
            return k;
    return std::nullopt;
}

std::vector<BatchColumn> ClassifyColumns(const CBody &body,
                                         const std::vector<std::string> &header) {
    std::vector<BatchColumn> out;
    for (const std::string &name : header) {
        BatchColumn column;
        if (SameWord(name, "номер"))
            column.kind = BatchColumn::Number;
        else if (SameWord(name, "дата"))
            column.kind = BatchColumn::Date;
        else if (SameWord(name, "контрагент"))
            column.kind = BatchColumn::Counterparty;
        else if (SameWord(name, "файл"))
            column.kind = BatchColumn::File;
        else if (const auto k = FindVariableIndex(body, FromUtf8(name))) {
            column.kind = BatchColumn::Variable;
            column.variable = *k;
        }
        out.push_back(column);
    }
    return out;
}

std::optional<Date> ReadDayDate(std::string_view t) {
    t = TrimBlanks(t);
    bool ok = true;
    int y = 0, m = 0, d = 0;
    if (t.size() == 10 && t[2] == '.' && t[5] == '.') {
        d = ToInt(t.substr(0, 2), ok);
        m = ToInt(t.substr(3, 2), ok);
        y = ToInt(t.substr(6, 4), ok);
    } else if (t.size() == 10 && t[4] == '-' && t[7] == '-') {
        y = ToInt(t.substr(0, 4), ok);
        m = ToInt(t.substr(5, 2), ok);
        d = ToInt(t.substr(8, 2), ok);
    } else {
        return std::nullopt;
    }
    if (!ok)
        return std::nullopt;
    const Date date = DateFromCalendar(y, m, d);
    if (!date.valid)
        return std::nullopt;
    return date;
}

std::optional<BatchDocument> PlanBatchRow(const CsvTable &table,
                                          const std::vector<BatchColumn> &columns,
                                          std::size_t rowIndex, std::string_view extension,
                                          std::string &error) {
    const CsvRecord &row = table.rows[rowIndex];
    const std::string at = "line " + std::to_string(row.line) + ": ";
    if (row.fields.size() != table.header.size()) {
        error = at + std::to_string(row.fields.size()) + " fields where the header names " +
                std::to_string(table.header.size()) + " columns";
        return std::nullopt;
    }
    BatchDocument doc;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string &value = row.fields[i];
        switch (columns[i].kind) {
        case BatchColumn::Variable:
            doc.variables.emplace_back(columns[i].variable, PageTextFromUtf8(value));
            break;
        case BatchColumn::Number:
            doc.number = PageTextFromUtf8(TrimBlanks(value));
            break;
        case BatchColumn::Date:
            if (TrimBlanks(value).empty())
                break;
            doc.date = ReadDayDate(value);
            if (!doc.date) {
                error = at + "the date '" + value + "' is not a day written DD.MM.YYYY";
                return std::nullopt;
            }
            break;
        case BatchColumn::Counterparty:
            doc.counterparty = TrimBlanks(value);
            break;
        case BatchColumn::File:
            doc.fileName = TrimBlanks(value);
            break;
        case BatchColumn::Unknown:
            break;
        }
    }
    if (doc.fileName.empty()) {
        doc.fileName = std::to_string(rowIndex + 1);
    } else {
        for (const char c : doc.fileName)
            if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == ':' ||
                c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') {
                error = at + "the file name '" + doc.fileName +
                        "' must be a bare name without a folder or the characters \\/:*?\"<>|";
                return std::nullopt;
            }
        if (doc.fileName.find_first_not_of('.') == std::string::npos) {
            error = at + "the file name '" + doc.fileName + "' is not a name";
            return std::nullopt;
        }
    }
    const std::string ext = "." + std::string(extension);
    if (doc.fileName.size() < ext.size() ||
        !EqualsIgnoreCase(doc.fileName.substr(doc.fileName.size() - ext.size()), ext))
        doc.fileName += ext;
    return doc;
}

} // namespace dravo::textgen
