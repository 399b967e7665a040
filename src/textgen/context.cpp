#include "textgen/context.h"

#include "core/text.h"
#include "textgen/html.h"

namespace dravo::textgen {

std::string_view DocumentContext::UserText(std::size_t i) const {
    if (user == nullptr || i >= CUser::kTextCount)
        return {};
    return user->Text(i);
}

void DocumentContext::LoadParties(PartySource *source) {
    counterparty =
        MakePartyState(source ? source->SelectedParty(PartySide::Counterparty) : std::nullopt,
                       PartySide::Counterparty, htmlText);
    thirdParty =
        MakePartyState(source ? source->SelectedParty(PartySide::ThirdParty) : std::nullopt,
                       PartySide::ThirdParty, htmlText);
}

namespace {

SubjectState LoadSubject(SubjectSource *source, const std::string &setName, bool html) {
    SubjectState s;
    s.forms.SetSubjectName(setName);
    if (source == nullptr)
        return s;
    std::optional<SubjectSet> set = source->FindSet(setName);
    if (!set)
        return s;
    if (!html) {
        s.set = std::move(set);
        return s;
    }
    // Directory text is plain text: escape it once, where it enters the page.
    set->category = EscapeHtml(set->category);
    for (SubjectRow &row : set->rows) {
        row.name = EscapeHtml(row.name);
        row.edizm = EscapeHtml(row.edizm);
        row.currency = EscapeHtml(row.currency);
        row.definds = EscapeHtml(row.definds);
    }
    s.set = std::move(set);
    return s;
}

} // namespace

void DocumentContext::LoadSubjects(SubjectSource *source) {
    const CPun &settings = body().Paragraph(ParReqText);
    subject = LoadSubject(source, settings.m_strName, htmlText);
    payment = LoadSubject(source, settings.m_strText, htmlText);
}

std::optional<std::size_t> DocumentContext::FindVariable(std::string_view word) const {
    const std::size_t count = body().VariableCount();
    const std::string lower = ToLower(word);
    auto it = variableIndex_.find(lower);
    // The index is a snapshot of the names; a renamed variable makes it stale.
    const bool stale =
        indexedVariables_ != count ||
        (it != variableIndex_.end() &&
         ToLower(body().Variable(static_cast<std::uint16_t>(it->second)).m_strName) != lower);
    if (stale) {
        variableIndex_.clear();
        for (std::size_t k = 0; k < count; ++k) // the first definition of a name wins
            variableIndex_.emplace(
                ToLower(body().Variable(static_cast<std::uint16_t>(k)).m_strName), k);
        indexedVariables_ = count;
        it = variableIndex_.find(lower);
    }
    if (it == variableIndex_.end())
        return std::nullopt;
    return it->second;
}

} // namespace dravo::textgen
