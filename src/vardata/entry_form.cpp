#include "vardata/entry_form.h"

namespace dravo::vardata {

FormGeometry MakeFormGeometry(std::size_t itemCount, bool largeFonts) {
    // The scale pair is single precision, the products are taken in double precision and
    // truncated: 1.4f lies just below 1.4, so the normal font is 13 pixels high, not 14 (a float
    // product would round back up to 14).
    const double first = double(largeFonts ? 1.5f : 1.4f);
    const double q = double(largeFonts ? 2.0f : 1.6f);
    FormGeometry g;
    g.largeFonts = largeFonts;
    g.fontHeight = int(first * 10);
    g.d = int(q * 11);
    g.b = int(q * 12);
    g.rowStep = g.d + 6;
    const int n = int(itemCount);
    if (n > 4)
        g.frameHeight = g.b + n * g.rowStep + (largeFonts ? 0 : 3);
    else
        g.frameHeight = largeFonts ? 4 * g.d + 2 * g.b - 2 : 2 * (g.b + 2 * g.d + 4);
    g.width = 670;
    g.height = g.frameHeight + (largeFonts ? 52 : 48);
    g.frame = {10, 10, 530, g.frameHeight};
    g.clientWidth = 660;
    g.clientHeight = g.frameHeight + 20;
    const int h = g.d + 6;
    g.ok = {550, 10, 100, h};
    g.cancel = {550, g.d + 21, 100, h};
    g.define = {550, 2 * g.d + 39, 100, h};
    g.clear = {550, 3 * g.d + 50, 100, h};
    return g;
}

RowGeometry FormGeometry::Row(std::size_t k, RowKind kind) const {
    const int y = RowTop(k);
    RowGeometry r;
    if (kind == RowKind::Separator) {
        r.line = {20, y + (largeFonts ? 10 : 8), 508, 2};
        return r;
    }
    const bool aid = kind == RowKind::WithAid;
    r.border = {300, y - 2, aid ? 204 : 228, d + 4};
    r.sunken = {302, y, aid ? 202 : 226, d + 2};
    r.label = {16, y, 280, d - 4};
    r.field = {302, y, aid ? 200 : 224, d};
    if (aid)
        r.button = {504, y - 2, 24, d + 4};
    return r;
}

RowKind RowKindOf(const CPun &item) {
    if (IsSeparator(item))
        return RowKind::Separator;
    return KindOf(item) == NormalInput ? RowKind::Normal : RowKind::WithAid;
}

EntryForm::EntryForm(CBody &body, int &rememberedRow, bool largeFonts)
    : m_body(body), m_remembered(rememberedRow),
      m_geometry(MakeFormGeometry(body.VariableCount(), largeFonts)) {
    m_rows.reserve(body.VariableCount());
    for (const CPun &item : body.m_parVariables.m_arItems) {
        const RowKind kind = RowKindOf(item);
        m_rows.push_back(
            {kind, item.m_strFont, kind == RowKind::Separator ? std::string() : item.m_strText});
    }
}

int EntryForm::FocusRow() const {
    const auto hasField = [this](int k) {
        return k >= 0 && std::size_t(k) < m_rows.size() &&
               m_rows[std::size_t(k)].kind != RowKind::Separator;
    };
    if (hasField(m_remembered))
        return m_remembered;
    for (std::size_t k = 0; k < m_rows.size(); ++k)
        if (hasField(int(k)))
            return int(k);
    return -1;
}

void EntryForm::FieldFocused(int row) {
    if (row >= 0 && std::size_t(row) < m_rows.size())
        m_remembered = row;
}

void EntryForm::Store(std::size_t row, std::string text, std::size_t limit) {
    CPun &item = m_body.Variable(std::uint16_t(row));
    if (m_rows[row].kind == RowKind::Separator)
        text.clear();
    if (text.size() > limit)
        text.resize(limit);
    if (item.m_strText != text) {
        item.m_strText = std::move(text);
        m_changed = true;
    }
}

void EntryForm::StoreFields(const std::vector<std::string> &fields) {
    for (std::size_t k = 0; k < m_rows.size() && k < m_body.VariableCount(); ++k)
        Store(k, k < fields.size() ? fields[k] : std::string(), kFieldLimit);
}

void EntryForm::Accept(const std::vector<std::string> &fields) {
    StoreFields(fields);
}

std::vector<std::string> EntryForm::Clear() {
    m_remembered = 0;
    return std::vector<std::string>(m_rows.size());
}

EntryForm::AidOutcome EntryForm::PressAid(std::size_t row, const std::string &fieldText,
                                          const InputAids &aids, std::string &shown) {
    shown = fieldText;
    if (row >= m_rows.size() || row >= m_body.VariableCount() ||
        m_rows[row].kind != RowKind::WithAid)
        return AidOutcome::Unchanged;
    CPun &item = m_body.Variable(std::uint16_t(row));
    const int kind = KindOf(item);
    Store(row, fieldText, kind == ListInput ? kListFieldLimit : kFieldLimit);
    shown = item.m_strText;
    m_remembered = int(row);
    switch (kind) {
    case CalendarInput:
        if (aids.date) {
            if (auto result = aids.date(item.m_strText, item.m_nFontSize)) {
                const std::uint16_t form = std::uint16_t(result->second != 0 ? 1 : 0);
                m_changed =
                    m_changed || item.m_strText != result->first || item.m_nFontSize != form;
                item.m_strText = std::move(result->first);
                item.m_nFontSize = form;
                shown = item.m_strText;
                return AidOutcome::Changed;
            }
        }
        break;
    case ListInput:
        if (aids.list) {
            ListChoice choice = aids.list(item.m_strText, item.m_strName);
            if (choice.destroyed) {
                item.m_nType = NormalInput;
                m_changed = true;
                return AidOutcome::Reopen;
            }
            if (choice.chosen) {
                Store(row, std::move(*choice.chosen), kListFieldLimit);
                shown = item.m_strText;
                return AidOutcome::Changed;
            }
        }
        break;
    case CalculatorInput:
        if (aids.number) {
            if (auto result = aids.number(item.m_strText)) {
                Store(row, std::move(*result), kFieldLimit);
                shown = item.m_strText;
                return AidOutcome::Changed;
            }
        }
        break;
    default:
        break;
    }
    return AidOutcome::Unchanged;
}

} // namespace dravo::vardata
