#include "textgen/context.h"

#include "core/text.h"
#include "textgen/html.h"
#include "textgen/markup.h"

namespace dravo::textgen {

std::string_view DocumentContext::UserText(std::size_t i) const {
    if (user == nullptr || i >= CUser::kTextCount)
        return {};
    const std::string &text = user->Text(i);
    if (!htmlText || !MayHoldMarkup(text))
        return text;
    // Filtered once for as long as the text stays as it is.
    userTexts_.resize(CUser::kTextCount);
    auto &[raw, filtered] = userTexts_[i];
    if (raw != text) {
        raw = text;
        filtered = FilterMarkup(text);
    }
    return filtered;
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

void DocumentContext::IndexVariables() const {
    const std::vector<CPun> &variables = body().m_parVariables.m_arItems;
    variableIndex_.clear();
    variableIndex_.reserve(variables.size());
    indexedNames_.clear();
    indexedCount_ = variables.size();
    for (std::size_t k = 0; k < variables.size(); ++k) { // the first of a name wins
        if (!variablesHeld_)                             // held variables are not compared again
            indexedNames_.push_back(variables[k].m_strName);
        variableIndex_.emplace(ToLower(variables[k].m_strName), k);
    }
    indexed_ = true;
}

bool DocumentContext::IndexCurrent() const {
    const std::vector<CPun> &variables = body().m_parVariables.m_arItems;
    if (!indexed_ || indexedCount_ != variables.size())
        return false;
    if (variablesHeld_)
        return true;
    for (std::size_t k = 0; k < variables.size(); ++k)
        if (indexedNames_[k] != variables[k].m_strName)
            return false;
    return true;
}

std::optional<std::size_t> DocumentContext::FindVariable(std::string_view word) const {
    if (!IndexCurrent())
        IndexVariables();
    const auto it = variableIndex_.find(ToLower(word));
    if (it == variableIndex_.end())
        return std::nullopt;
    return it->second;
}

} // namespace dravo::textgen
