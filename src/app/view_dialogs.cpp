// The dialogs that the page's clicks and the data commands open on a view's document. Each
// returns Ok when the user confirmed a change; the caller refreshes the page and marks the
// document modified as the command requires.
#include "app/commands.h"
#include "app/dialogs/clause_dialog.h"
#include "app/dialogs/entry_form_dialog.h"
#include "app/dialogs/party_choice_dialog.h"
#include "app/dialogs/setup_data_dialog.h"
#include "app/dialogs/subject_dialog.h"
#include "app/dialogs/user_requisites_dialog.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/roots.h"
#include "app/shell.h"
#include "core/user.h"

namespace dravo {

namespace {

DialogResult Result(bool ok) {
    return ok ? DialogResult::Ok : DialogResult::Cancel;
}

} // namespace

// Set-up data "   Установочные данные" (kind 1; the journal's parameters come with the journal).
DialogResult CHolderView::RunSetupDataDialog() {
    if (m_document->Kind() != TemplateDocument)
        return DialogResult::NotAvailable;
    return Result(::dravo::RunSetupDataDialog(this, *m_document));
}

// "Реквизиты пользователя": reloads the requisites, shows them and stores them on OK (kind 1; the
// counterparty choice of kind 3 comes with the counterparty directory).
DialogResult CHolderView::RunUserRequisitesDialog() {
    if (m_document->Kind() != TemplateDocument)
        return DialogResult::NotAvailable;
    const QString userFile =
        Roots::DataFile(QString::fromLatin1(kUserFileName.data(), qsizetype(kUserFileName.size())));
    return Result(::dravo::RunUserRequisitesDialog(this, *m_document, userFile));
}

// "   Выбор контрагента": the counterparty and the third party of a template or a stored file.
DialogResult CHolderView::RunCounterpartyDialog() {
    if (m_document->Kind() != TemplateDocument && m_document->Kind() != StoredFileDocument)
        return DialogResult::NotAvailable;
    return Result(::dravo::RunPartyChoice(this, *m_document));
}

// "   Реквизиты контрагента" or "   Данные гражданина" on the party's row.
DialogResult CHolderView::RunPartyCardDialog(textgen::PartySide side) {
    bool found = false;
    const bool ok = ::dravo::RunSelectedPartyCard(this, *m_document, side, &found);
    return found ? Result(ok) : DialogResult::NotAvailable;
}

// "   Предмет договора", or the property given in settlement.
DialogResult CHolderView::RunSubjectDialog(bool settlement) {
    return Result(::dravo::RunSubjectDialog(this, *m_document, settlement));
}

// The clause editor "Пункт" on an article and clause, in the page's mode. Cancel after presses
// that changed the body counts as a change: the page must show what OK or Save will write.
DialogResult CHolderView::RunClauseEditorDialog(int article, int clause, int mode) {
    bool changed = false;
    const bool ok = ::dravo::RunClauseDialog(this, *m_document, article, clause, mode, &changed);
    return Result(ok || changed);
}

// The entry form "Изменяемые данные" (kind 1), reopened for as long as it asks; Ok when the items
// changed, through the form's OK or through its input aids and the item list.
DialogResult CHolderView::RunVariableDataForm() {
    if (m_document->Kind() != TemplateDocument)
        return DialogResult::NotAvailable;
    return Result(::dravo::RunVariableDataForm(this, m_document->Body(), Shell().lists));
}

} // namespace dravo
