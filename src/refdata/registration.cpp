#include "registration.h"

#include "core/body_io.h"
#include "textgen/context.h"
#include "textgen/page.h"

namespace dravo::refdata {

RegistrationDraft DraftRegistration(const RegistrationSource &src) {
    RegistrationDraft draft;
    textgen::PageInputs in;
    in.body = src.body;
    in.kind = src.kind;
    in.number = src.numberText;
    in.date = src.date;
    in.dateShown = src.dateShown;
    in.highlight = src.highlight;
    in.user = src.user;
    in.parties = src.db;
    in.subjects = src.db;
    in.documentTitle = src.title;
    DocumentDateTexts texts;
    in.dateTexts = &texts;
    draft.content.body = textgen::BuildPage(in).html;

    // The card reads plain values: no colours, no escaping of directory text.
    textgen::DocumentContext ctx(*src.body);
    ctx.kind = src.kind;
    ctx.highlight = false;
    ctx.clickable = false;
    ctx.htmlText = false;
    ctx.user = src.user;
    ctx.LoadParties(src.db);
    ctx.LoadSubjects(src.db);
    textgen::BuildDateLine(ctx, src.date, src.dateShown, texts, true);
    draft.card = textgen::PrefillCard(ctx, {src.numberText, src.date}, &draft.problem);

    CBody stored = *src.body;
    stored.Paragraph(ParTitle).m_nType = static_cast<std::uint16_t>(src.kind);
    if (src.db)
        stored.SetRecordNumbers(src.db->PartyId(textgen::PartySide::Counterparty),
                                src.db->PartyId(textgen::PartySide::ThirdParty));
    draft.content.templateFile = StoreBody(stored);
    draft.content.varData = VariableDataText(*src.body);
    return draft;
}

std::optional<int> RegisterDocument(JournalStore &store, const textgen::CardFields &card,
                                    const RegisteredContent &content, DbError *error,
                                    const std::string &proposedNumber) {
    const bool proposed = !proposedNumber.empty() && card.number == proposedNumber;
    return store.Register(textgen::RowFromCard(card), content, error,
                          proposed ? JournalStore::Numbering::Next
                                   : JournalStore::Numbering::AsGiven);
}

} // namespace dravo::refdata
