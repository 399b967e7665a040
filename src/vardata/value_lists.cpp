#include "vardata/value_lists.h"

#include <algorithm>

namespace dravo::vardata {

namespace {

// Sort rank of a byte: lower case first, "ё" just after "е".
unsigned Rank(unsigned char c) {
    const unsigned char lower = cp1251::Lower(c);
    if (lower == 0xB8) // ё
        return 0xE5u * 2 + 1;
    return unsigned(lower) * 2;
}

} // namespace

std::string ListKey(std::string_view commandWord) {
    std::string key;
    for (const char c : ToLower(commandWord))
        if (c != ' ' && (c < '0' || c > '9'))
            key += c;
    return key;
}

CPar *FindList(CBody &lists, std::string_view name) {
    for (CPar &list : lists.m_arArticles)
        if (list.m_head.m_strName == name)
            return &list;
    return nullptr;
}

const CPar *FindList(const CBody &lists, std::string_view name) {
    return FindList(const_cast<CBody &>(lists), name);
}

std::vector<std::string> ListElements(const CPar &list) {
    std::vector<std::string> out;
    out.reserve(list.m_arItems.size());
    for (const CPun &item : list.m_arItems)
        out.push_back(item.m_strText);
    return out;
}

std::string CleanListValue(std::string_view value) {
    std::string out;
    bool blank = false;
    for (const char c : value) {
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

bool ListOrder(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned ra = Rank(static_cast<unsigned char>(a[i]));
        const unsigned rb = Rank(static_cast<unsigned char>(b[i]));
        if (ra != rb)
            return ra < rb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b; // the same letters: capitals first, so the order is total
}

ValueListChooser::ValueListChooser(CBody &lists, std::string_view value,
                                   std::string_view commandWord)
    : m_lists(lists), m_name(ListKey(commandWord)) {
    const std::string text = CleanListValue(value);
    CPar *list = List();
    if (!list) {
        CPar fresh;
        fresh.m_head.m_strName = m_name;
        m_lists.m_arArticles.push_back(std::move(fresh));
        list = &m_lists.m_arArticles.back();
        m_changed = true;
    }
    if (!text.empty() &&
        std::none_of(list->m_arItems.begin(), list->m_arItems.end(),
                     [&](const CPun &element) { return element.m_strText == text; })) {
        CPun element;
        element.m_strText = text;
        list->m_arItems.push_back(std::move(element));
        m_changed = true;
    }
    Refill();
    const auto it = std::find(m_lines.begin(), m_lines.end(), text);
    m_selection = it == m_lines.end() ? -1 : int(it - m_lines.begin());
}

CPar *ValueListChooser::List() {
    return FindList(m_lists, m_name);
}

void ValueListChooser::Refill() {
    const CPar *list = List();
    m_lines = list ? ListElements(*list) : std::vector<std::string>{};
    std::stable_sort(m_lines.begin(), m_lines.end(), ListOrder);
}

void ValueListChooser::Select(int line) {
    m_selection = line >= 0 && std::size_t(line) < m_lines.size() ? line : -1;
}

std::string ValueListChooser::InfoText() const {
    return m_selection >= 0 ? m_lines[std::size_t(m_selection)] : std::string();
}

bool ValueListChooser::Delete(const Confirm &confirm) {
    if (m_selection < 0 || m_destroyed || !confirm(kDeleteElementQuestion))
        return false;
    const std::string text = m_lines[std::size_t(m_selection)];
    if (CPar *list = List()) {
        auto &items = list->m_arItems;
        const auto it = std::find_if(items.begin(), items.end(), [&](const CPun &element) {
            return element.m_strText == text;
        });
        if (it != items.end())
            items.erase(it);
    }
    m_changed = true;
    const int at = m_selection;
    Refill();
    const int left = int(m_lines.size());
    m_selection = left == 0 ? -1 : std::min(at, left - 1);
    return true;
}

bool ValueListChooser::Destroy(const Confirm &confirm) {
    if (m_destroyed || !confirm(kDestroyListQuestion))
        return false;
    auto &all = m_lists.m_arArticles;
    all.erase(std::remove_if(all.begin(), all.end(),
                             [&](const CPar &list) { return list.m_head.m_strName == m_name; }),
              all.end());
    m_destroyed = true;
    m_changed = true;
    m_lines.clear();
    m_selection = -1;
    return true;
}

ListChoice ValueListChooser::Accept() const {
    if (m_destroyed)
        return {true, std::nullopt};
    if (m_selection < 0)
        return {};
    return {false, m_lines[std::size_t(m_selection)]};
}

} // namespace dravo::vardata
