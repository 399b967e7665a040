#include "app/librarycommand.h"
#include "app/database_location.h"

#include "app/childframe.h"
#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/library_dialog.h"
#include "app/dialogs/library_element_dialogs.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/mainframe.h"
#include "app/messagebox.h"
#include "app/roots.h"
#include "core/user.h"
#include "import/library_import.h"
#include "library/library.h"
#include "refdata/document_database.h"
#include "refdata/library_tables.h"
#include "refdata/schema.h"

#include <QFileInfo>

namespace dravo {

using namespace dravo::library;

namespace {

QString ElementPath(FileFolder folder, const std::string &name) {
    return Roots::LibraryItemPath(LibraryText(name), folder == FileFolder::Templates ? 1 : 2);
}

void UpdateCaptions(CHolderDoc *doc) {
    for (CHolderView *v : CHolderView::ViewsOf(doc))
        if (auto *f = qobject_cast<CChildFrame *>(v->parentWidget()))
            f->UpdateCaption();
}

// The open document of the element (its window title without folders and ".adf").
CHolderDoc *OpenDocumentNamed(CMainFrame &frame, const QString &name) {
    for (CChildFrame *f : frame.Frames()) {
        CHolderDoc *doc = f->View()->GetDocument();
        QString title = QFileInfo(doc->Title()).fileName();
        if (title.endsWith(QStringLiteral(".adf"), Qt::CaseInsensitive))
            title.chop(4);
        if (title.compare(name, Qt::CaseInsensitive) == 0)
            return doc;
    }
    return nullptr;
}

// Creates the element's document and stores it at once, so the element has its file.
void CreateElement(CMainFrame &frame, const OpenPlan &plan) {
    CHolderView *view = frame.NewDocument();
    if (!view)
        return;
    CHolderDoc *doc = view->GetDocument();
    doc->SetKind(plan.documentKind);
    QString error;
    if (!doc->Save(ElementPath(plan.folder, plan.name), &error))
        MessageBox::Warning(&frame, LibraryText(FileErrorMessage()) + QStringLiteral("\n") + error);
    UpdateCaptions(doc);
    view->Refresh();
}

void OpenElement(CMainFrame &frame, const OpenPlan &plan) {
    if (plan.action == OpenPlan::Nothing)
        return;
    if (plan.action == OpenPlan::CreateFile) {
        CreateElement(frame, plan);
        return;
    }
    if (frame.FindOpenDocument(LibraryText(plan.name), 0))
        return;
    CHolderView *view = frame.OpenDocument(ElementPath(plan.folder, plan.name));
    if (!view || plan.documentKind != 1)
        return;
    // A template opened from the library takes the journal's next number.
    CHolderDoc *doc = view->GetDocument();
    if (refdata::DocumentDatabase *db = doc->Database()) {
        doc->m_nNumber = db->NextNumber();
        doc->m_strNumberText = std::to_string(doc->m_nNumber);
        view->Refresh();
    }
}

} // namespace

void RunLibraryCommand(CMainFrame &frame) {
    const QString root = Roots::TemplatesRoot();
    refdata::LibraryJournalTables tables(DatabaseLocation::Journals());
    FolderStore store(root.toStdString(), &tables);
    Library library(store);
    library.renamed = [&frame](const std::string &from, const std::string &to, FileFolder folder) {
        if (CHolderDoc *doc = OpenDocumentNamed(frame, LibraryText(from))) {
            doc->Relocate(ElementPath(folder, to));
            UpdateCaptions(doc);
        }
    };
    const std::string loaded = library.Load();
    if (!loaded.empty())
        MessageBox::Information(&frame, LibraryText(loaded));

    CLibraryDialog dialog(library, &frame);
    CUser user;
    std::string why;
    LoadUserRequisites(Roots::DataFile(QStringLiteral("usr.dat")).toStdString(), user, why);
    dialog.SetImportConverter(import::LibraryImportConverter(
        store, user.Text(CUser::Settlement), [&dialog](std::string_view message) {
            MessageBox::Information(&dialog, LibraryText(message));
        }));
    dialog.documentOpen = [&frame](const std::string &name) {
        return frame.FindOpenDocument(LibraryText(name), 0);
    };
    const int result = DialogSeam::Exec(dialog);
    // OK and "Отменить" alike keep what was done in the dialog.
    const std::string saved = library.Save();
    if (!saved.empty())
        MessageBox::Information(&frame, LibraryText(saved));

    if (const auto &pending = dialog.PendingDeletion()) {
        // The element's document was activated: close it, show the library again, and delete
        // the file once that dialog is closed. A document that stays open keeps its file.
        const Library::FileDeletion what = *pending;
        CChildFrame *active = nullptr;
        if (CHolderView *view = frame.ActiveView())
            active = qobject_cast<CChildFrame *>(view->parentWidget());
        if (!active || !active->close())
            return;
        RunLibraryCommand(frame);
        const Outcome outcome = library.DeleteFiles(what);
        if (!outcome.message.empty())
            MessageBox::Information(&frame, LibraryText(outcome.message));
        return;
    }
    if (result == QDialog::Accepted)
        OpenElement(frame, library.PlanOpen(library.Tree().Selected()));
}

} // namespace dravo
