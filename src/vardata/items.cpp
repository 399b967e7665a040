#include "vardata/items.h"

namespace dravo::vardata {

bool IsSeparator(const CPun &item) {
    return !item.m_strFont.empty() && item.m_strFont.front() == '-';
}

int KindOf(const CPun &item) {
    return item.m_nType < kVariableKindCount ? int(item.m_nType) : NormalInput;
}

std::string NormalizeCommandWord(std::string_view word) {
    std::string out;
    out.reserve(word.size());
    bool blank = false;
    for (const char c : word) {
        if (c == ' ') {
            blank = true;
            continue;
        }
        if (blank && !out.empty())
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

std::optional<std::size_t> FindItem(const CBody &body, std::string_view word) {
    while (!word.empty() && word.front() == ' ')
        word.remove_prefix(1);
    while (!word.empty() && word.back() == ' ')
        word.remove_suffix(1);
    for (std::size_t k = 0; k < body.VariableCount(); ++k)
        if (EqualsIgnoreCase(body.Variable(std::uint16_t(k)).m_strName, word))
            return k;
    return std::nullopt;
}

ItemFields FieldsOf(const CPun &item, bool isNew) {
    if (isNew)
        return {};
    return {item.m_strName, item.m_strFont, KindOf(item)};
}

void StoreFields(CPun &item, const ItemFields &fields) {
    item.m_strName = NormalizeCommandWord(fields.word);
    item.m_strFont = fields.hint;
    item.m_nType = std::uint16_t(
        fields.kind >= 0 && fields.kind < kVariableKindCount ? fields.kind : NormalInput);
}

VariableList::VariableList(CBody &body) : m_body(body) {
    m_selection = body.VariableCount() > 0 ? 0 : -1;
}

std::vector<std::string> VariableList::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(m_body.VariableCount());
    for (const CPun &item : m_body.m_parVariables.m_arItems)
        lines.push_back(item.m_strName);
    return lines;
}

void VariableList::Select(int line) {
    m_selection = line >= 0 && std::size_t(line) < m_body.VariableCount() ? line : -1;
}

VariableList::Outcome VariableList::Add(const EditItem &edit, const Inform &inform) {
    if (m_body.VariableCount() >= kMaxItems) {
        if (inform)
            inform(kTooManyItemsMessage);
        return Outcome::Refused;
    }
    // The new item is in the list while its dialog is open, as the dialog sees it.
    const std::size_t at = std::size_t(m_selection + 1);
    Items().insert(Items().begin() + std::ptrdiff_t(at), CPun{});
    const std::optional<ItemFields> fields = edit(FieldsOf(Items()[at], true), true);
    if (!fields) {
        Items().erase(Items().begin() + std::ptrdiff_t(at));
        return Outcome::Cancelled;
    }
    StoreFields(Items()[at], *fields);
    m_selection = int(at);
    m_modified = true;
    return Outcome::Done;
}

VariableList::Outcome VariableList::Change(const EditItem &edit) {
    if (m_selection < 0)
        return Outcome::Cancelled;
    CPun &item = Items()[std::size_t(m_selection)];
    const std::optional<ItemFields> fields = edit(FieldsOf(item, false), false);
    if (!fields)
        return Outcome::Cancelled;
    StoreFields(Items()[std::size_t(m_selection)], *fields);
    m_modified = true;
    return Outcome::Done;
}

VariableList::Outcome VariableList::Delete(const Confirm &confirm) {
    if (m_selection < 0)
        return Outcome::Cancelled;
    const std::size_t at = std::size_t(m_selection);
    const std::string_view question =
        IsSeparator(Items()[at]) ? kDeleteSeparatorQuestion : kDeleteItemQuestion;
    if (!confirm(question))
        return Outcome::Cancelled;
    Items().erase(Items().begin() + std::ptrdiff_t(at));
    const std::size_t left = Items().size();
    m_selection = left == 0 ? -1 : int(at < left ? at : left - 1);
    m_modified = true;
    return Outcome::Done;
}

} // namespace dravo::vardata
