// The main window's part of the contract journal: the journal page, registered documents, and a
// registered contract reopened as a template.
#include "app/childframe.h"
#include "app/commands.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/mainframe.h"
#include "app/messagebox.h"
#include "app/roots.h"

#include "core/body_io.h"
#include "core/text.h"

#include <QMdiArea>

namespace dravo {

void CMainFrame::ConnectJournal(CHolderView *view) {
    connect(view, &CHolderView::journalChanged, this, &CMainFrame::RefreshJournals);
    connect(view, &CHolderView::registeredDocumentRequested, this,
            &CMainFrame::OpenRegisteredDocument);
    connect(view, &CHolderView::templateRequested, this, &CMainFrame::OpenTemplateCopy);
}

CHolderView *CMainFrame::OpenJournal() {
    for (CChildFrame *f : Frames())
        if (f->View()->GetDocument()->IsJournalPage()) {
            m_mdi->setActiveSubWindow(f);
            return f->View();
        }
    auto doc = std::make_shared<CHolderDoc>();
    QString message;
    doc->MakeJournalPage(Roots::DataFile(QStringLiteral("stl.dat")), &message);
    if (!message.isEmpty())
        MessageBox::Information(this, message);
    OpenDatabase(doc.get());
    CHolderView *view = CreateView(doc);
    AddFrame(view);
    return view;
}

CHolderView *CMainFrame::OpenRegisteredDocument(int bookId) {
    // A registered document already open comes to the front instead of opening twice.
    for (CChildFrame *f : Frames())
        if (f->View()->GetDocument()->RegisteredId() == bookId) {
            m_mdi->setActiveSubWindow(f);
            return f->View();
        }
    auto doc = std::make_shared<CHolderDoc>();
    OpenDatabase(doc.get());
    QString error;
    if (!doc->OpenRegistered(bookId, &error)) {
        MessageBox::Warning(this, error);
        return nullptr;
    }
    CHolderView *view = CreateView(doc);
    AddFrame(view);
    return view;
}

CHolderView *CMainFrame::OpenTemplateCopy(const QByteArray &adf, const QString &title) {
    auto doc = std::make_shared<CHolderDoc>();
    QString error;
    if (!doc->LoadUser(Roots::DataFile(QStringLiteral("usr.dat")), &error))
        MessageBox::Information(this, error);
    std::string why;
    if (!LoadBody(std::string_view(adf.constData(), std::size_t(adf.size())), doc->Body(), why)) {
        MessageBox::Warning(this, QString::fromStdString(ToUtf8(why)));
        return nullptr;
    }
    doc->SetKind(TemplateDocument);
    doc->SetTitle(title);
    doc->SetModified(true); // a new template: saving asks for its file
    OpenDatabase(doc.get());
    doc->SetCounterpartyId(doc->Body().RecordNumber(0));
    doc->SetThirdPartyId(doc->Body().RecordNumber(1));
    CHolderView *view = CreateView(doc);
    AddFrame(view);
    return view;
}

void CMainFrame::RefreshJournals(bool activate) {
    for (CChildFrame *f : Frames()) {
        if (!f->View()->GetDocument()->IsJournalPage())
            continue;
        if (activate)
            m_mdi->setActiveSubWindow(f);
        CHolderView::RefreshViewsOf(f->View()->GetDocument());
        return;
    }
}

} // namespace dravo
