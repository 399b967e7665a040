#include "core/setup_data.h"

#include "core/text.h"

#include <limits>

namespace dravo {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string WithoutLeadingBlanks(const std::string &text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.substr(i);
}

} // namespace

std::string_view RoleName(std::uint16_t role) {
    switch (role) {
    case RoleUser:
        return "Пользователь"_w;
    case RoleCounterparty:
        return "Контрагент"_w;
    case RoleThirdParty:
        return "Третья сторона"_w;
    default:
        return {};
    }
}

int LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

SetupDataEditor::SetupDataEditor(CBody &body, SetupDocument &document)
    : m_body(body), m_document(document) {
    const CPun &order = m_body.Paragraph(ParClauseText);
    m_openingRoles = {order.m_nType, order.m_nCheck, order.m_nMark};
    m_openingThirdParty = m_body.Paragraph(ParArticleHead).m_nCheck;
    m_openingDateShown = m_document.dateShown;
}

SetupFields SetupDataEditor::OpeningFields() const {
    SetupFields fields;
    fields.title = m_body.Paragraph(ParTitle).m_strText;
    fields.subtitle = m_body.Paragraph(ParSubtitle).m_strText;
    fields.number = m_document.numberText;
    fields.names = {m_body.Paragraph(ParClauseText).m_strName,
                    m_body.Paragraph(ParClauseText).m_strText,
                    m_body.Paragraph(ParArticleHead).m_strName};
    fields.splitPreamble = m_body.Paragraph(ParArticleHead).m_nMark != 0;
    return fields;
}

bool SetupDataEditor::ThirdPartyTakesPart() const {
    return m_body.Paragraph(ParArticleHead).m_nCheck != 0;
}

std::uint16_t &SetupDataEditor::RoleSlot(int position) {
    CPun &order = m_body.Paragraph(ParClauseText);
    return position == 1 ? order.m_nType : position == 2 ? order.m_nCheck : order.m_nMark;
}

std::uint16_t SetupDataEditor::RoleAt(int position) const {
    if (position < 1 || position > 3)
        return 0;
    const CPun &order = m_body.Paragraph(ParClauseText);
    const std::array<std::uint16_t, 3> roles = {order.m_nType, order.m_nCheck, order.m_nMark};
    const bool permutation = roles[0] != roles[1] && roles[0] != roles[2] && roles[1] != roles[2] &&
                             !RoleName(roles[0]).empty() && !RoleName(roles[1]).empty() &&
                             !RoleName(roles[2]).empty();
    return permutation ? roles[position - 1] : static_cast<std::uint16_t>(position);
}

void SetupDataEditor::SettleOrder() {
    // An order never set has 0 at position 2. A file from elsewhere may also hold codes that
    // are no permutation of 1, 2, 3; swapping those would give two positions one role, so they
    // are settled the same way.
    const bool neverSet = RoleSlot(2) == 0;
    if (neverSet || RoleAt(1) != RoleSlot(1) || RoleAt(2) != RoleSlot(2) ||
        RoleAt(3) != RoleSlot(3)) {
        RoleSlot(1) = RoleUser;
        RoleSlot(2) = RoleCounterparty;
        RoleSlot(3) = RoleThirdParty;
    }
}

void SetupDataEditor::ToggleDate() {
    SettleOrder();
    m_document.dateShown = !m_document.dateShown;
}

void SetupDataEditor::ToggleThirdParty() {
    SettleOrder();
    std::uint16_t &check = m_body.Paragraph(ParArticleHead).m_nCheck;
    check = check != 0 ? 0 : 1;
}

void SetupDataEditor::SwapUpper() {
    SettleOrder();
    std::swap(RoleSlot(1), RoleSlot(2));
}

void SetupDataEditor::SwapLower() {
    SettleOrder();
    std::swap(RoleSlot(2), RoleSlot(3));
}

void SetupDataEditor::Accept(const SetupFields &fields) {
    SettleOrder();
    // 1. The number text and its leading value.
    m_document.numberText = fields.number;
    m_document.number = LeadingNumber(fields.number);
    // 2. Title and subtitle; the closing sentence is rebuilt from the title at the next page.
    m_body.Paragraph(ParTitle).m_strText = fields.title;
    m_body.Paragraph(ParSubtitle).m_strText = fields.subtitle;
    m_body.Paragraph(ParArticleHead).m_strText.clear();
    // 3. The names written at the three positions.
    m_body.Paragraph(ParClauseText).m_strName = fields.names[0];
    m_body.Paragraph(ParClauseText).m_strText = fields.names[1];
    m_body.Paragraph(ParArticleHead).m_strName = fields.names[2];
    // 4. The third-party flag and the date-shown flag already hold what the check boxes show.
    // 5. A subtitle of blanks only counts as none.
    CPun &subtitle = m_body.Paragraph(ParSubtitle);
    subtitle.m_strText = WithoutLeadingBlanks(subtitle.m_strText);
    subtitle.m_nCheck = subtitle.m_strText.empty() ? 0 : 1;
    // 6. One preamble paragraph per party.
    m_body.Paragraph(ParArticleHead).m_nMark = fields.splitPreamble ? 1 : 0;
}

void SetupDataEditor::Cancel() {
    CPun &order = m_body.Paragraph(ParClauseText);
    order.m_nType = m_openingRoles[0];
    order.m_nCheck = m_openingRoles[1];
    order.m_nMark = m_openingRoles[2];
    m_body.Paragraph(ParArticleHead).m_nCheck = m_openingThirdParty;
    m_document.dateShown = m_openingDateShown;
}

} // namespace dravo
