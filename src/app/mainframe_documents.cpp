// The main window's document windows: opening, creating and finding documents, saving them,
// closing their windows, and the title that names the active one.
#include "app/childframe.h"
#include "app/commands.h"
#include "app/database_location.h"
#include "app/filedialog.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/mainframe.h"
#include "app/messagebox.h"
#include "app/roots.h"
#include "app/settings.h"
#include "app/shell.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace dravo {

namespace {

const QString kTemplateFilter = QStringLiteral("Шаблоны документов (*.adf)");

QString Title(const QString &programTitle, CHolderView *view) {
    if (!view)
        return programTitle;
    return programTitle + QStringLiteral(" - ") + view->GetDocument()->Title();
}

} // namespace

CHolderView *CMainFrame::ActiveView() const {
    QMdiSubWindow *w = m_mdi->activeSubWindow();
    if (!w) {
        const QList<QMdiSubWindow *> all = m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (all.isEmpty())
            return nullptr;
        w = all.last();
    }
    auto *frame = qobject_cast<CChildFrame *>(w);
    return frame ? frame->View() : nullptr;
}

QList<CChildFrame *> CMainFrame::Frames() const {
    QList<CChildFrame *> out;
    for (QMdiSubWindow *w : m_mdi->subWindowList())
        if (auto *f = qobject_cast<CChildFrame *>(w))
            out << f;
    return out;
}

CHolderView *CMainFrame::CreateView(std::shared_ptr<CHolderDoc> doc) {
    auto *view = new CHolderView(std::move(doc));
    connect(view, &CHolderView::commandRequested, this, &CMainFrame::OnCommand);
    ConnectJournal(view);
    return view;
}

CChildFrame *CMainFrame::AddFrame(CHolderView *view) {
    auto *frame = new CChildFrame(this, view);
    const bool activeMaximized =
        m_mdi->activeSubWindow() && m_mdi->activeSubWindow()->isMaximized();
    m_mdi->addSubWindow(frame);
    // Top left of the client area, 20/21 of the screen's width and 6/9 of its height.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        frame->setGeometry(0, 0, r.width() * 20 / 21, r.height() * 6 / 9);
    }
    bool maximize = activeMaximized;
    if (m_bFirstActivation) {
        m_bFirstActivation = false;
        maximize = Settings::ReadFlagSetting(setting::kMaximizeChildWindow) != 0;
    }
    if (maximize)
        frame->showMaximized();
    else
        frame->show();
    m_mdi->setActiveSubWindow(frame);
    // Maximising and restoring change the main window's title after the window area did.
    connect(frame, &QMdiSubWindow::windowStateChanged, this,
            [this] { QTimer::singleShot(0, this, [this] { UpdateTitle(); }); });
    connect(frame, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, [this] { DocumentsChanged(); }); });
    for (CHolderView *v : CHolderView::ViewsOf(view->GetDocument()))
        if (auto *f = qobject_cast<CChildFrame *>(v->parentWidget()))
            f->UpdateCaption();
    frame->UpdateCaption();
    DocumentsChanged();
    view->Refresh();
    return frame;
}

CHolderView *CMainFrame::NewDocument() {
    auto doc = std::make_shared<CHolderDoc>();
    QString error;
    if (!doc->LoadUser(Roots::DataFile(QStringLiteral("usr.dat")), &error))
        MessageBox::Information(this, error);
    doc->NewTemplate(QStringLiteral("Договор ") + QString::number(Shell().nextNewNumber++));
    OpenDatabase(doc.get());
    CHolderView *view = CreateView(doc);
    AddFrame(view);
    return view;
}

CHolderView *CMainFrame::OpenDocument(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CChildFrame *f : Frames())
        if (f->View()->GetDocument()->Path() == absolute) {
            m_mdi->setActiveSubWindow(f);
            return f->View();
        }
    auto doc = std::make_shared<CHolderDoc>();
    QString error;
    if (!doc->Open(path, &error)) {
        MessageBox::Warning(this, QStringLiteral("Не удалось открыть документ %1.\n%2")
                                      .arg(QDir::toNativeSeparators(path), error));
        return nullptr;
    }
    if (!doc->LoadUser(Roots::DataFile(QStringLiteral("usr.dat")), &error))
        MessageBox::Information(this, error);
    OpenDatabase(doc.get());
    Settings::AddRecentFile(doc->Path());
    CHolderView *view = CreateView(doc);
    AddFrame(view);
    return view;
}

void CMainFrame::OpenDatabase(CHolderDoc *doc) {
    doc->OpenDatabaseAt(DatabaseLocation::Reference(),
                        [this](const QString &message) { MessageBox::Information(this, message); });
}

CHolderView *CMainFrame::NewWindow(CHolderView *view) {
    if (!view)
        return nullptr;
    CHolderView *another = CreateView(view->SharedDocument());
    AddFrame(another);
    return another;
}

bool CMainFrame::FindOpenDocument(const QString &name, int mode) {
    const QString wanted = name.toUpper();
    for (CChildFrame *f : Frames()) {
        QString title = f->View()->GetDocument()->Title().toUpper();
        const int slash =
            std::max(title.lastIndexOf(QLatin1Char('\\')), title.lastIndexOf(QLatin1Char('/')));
        if (slash >= 0)
            title = title.mid(slash + 1);
        title.remove(QStringLiteral(".ADF"));
        if (title != wanted)
            continue;
        if (mode == 0) {
            if (f->isMinimized())
                f->showNormal();
            m_mdi->setActiveSubWindow(f);
        } else if (mode == 1) {
            f->showMinimized();
        }
        return true;
    }
    return false;
}

bool CMainFrame::SaveDocument(CHolderView *view) {
    if (!view)
        return false;
    CHolderDoc *doc = view->GetDocument();
    if (doc->Path().isEmpty())
        return SaveDocumentAs(view);
    QString error;
    if (!doc->Save(doc->Path(), &error)) {
        MessageBox::Warning(this, QStringLiteral("Не удалось сохранить документ в файл %1.\n%2")
                                      .arg(QDir::toNativeSeparators(doc->Path()), error));
        return false;
    }
    return true;
}

bool CMainFrame::SaveDocumentAs(CHolderView *view) {
    if (!view)
        return false;
    CHolderDoc *doc = view->GetDocument();
    const QString refusal = doc->SaveAsRefusal();
    if (!refusal.isEmpty()) {
        MessageBox::Information(this, refusal);
        return false;
    }
    const QString folder = doc->Path().isEmpty()
                               ? Roots::TemplatesRoot() + QStringLiteral("/Templates")
                               : QFileInfo(doc->Path()).absolutePath();
    QString title = doc->Title();
    if (title.endsWith(QStringLiteral(".adf"), Qt::CaseInsensitive))
        title.chop(4);
    QString path = FileDialog::GetSaveFileName(this, QStringLiteral("Сохранение шаблона"),
                                               folder + QLatin1Char('/') + title, kTemplateFilter,
                                               QStringLiteral("adf"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".adf");
    QString error;
    if (!doc->Save(path, &error)) {
        MessageBox::Warning(this, QStringLiteral("Не удалось сохранить документ в файл %1.\n%2")
                                      .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    Settings::AddRecentFile(doc->Path());
    for (CHolderView *v : CHolderView::ViewsOf(doc))
        if (auto *f = qobject_cast<CChildFrame *>(v->parentWidget()))
            f->UpdateCaption();
    UpdateTitle();
    return true;
}

bool CMainFrame::CanCloseView(CHolderView *view) {
    CHolderDoc *doc = view->GetDocument();
    if (CHolderView::ViewsOf(doc).size() > 1)
        return true;
    if (doc->Modified()) {
        const auto answer = MessageBox::AskSave(
            this, QStringLiteral("Сохранить изменения в документе \"%1\"?").arg(doc->Title()));
        if (answer == MessageBox::Cancel)
            return false;
        if (answer == MessageBox::Save && !SaveDocument(view))
            return false;
    }
    if (doc->Kind() == TemplateDocument) {
        QString error;
        if (!doc->RecordClosedPath(Roots::DataFile(QStringLiteral("usr.dat")), &error))
            MessageBox::Information(this, error);
    }
    if (doc->IsJournalPage()) {
        QString error;
        if (!doc->StoreJournalFormats(Roots::DataFile(QStringLiteral("stl.dat")), &error))
            MessageBox::Information(this, error);
    }
    return true;
}

void CMainFrame::DocumentsChanged() {
    // A document left with one window drops that window's ":1".
    for (CChildFrame *f : Frames())
        f->UpdateCaption();
    const int wanted = Frames().isEmpty() ? 128 : 129;
    if (wanted != m_nMenuBar)
        BuildMenuBar(wanted);
    UpdateToolbarEnabling();
    UpdateTitle();
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow *window) {
    if (auto *frame = qobject_cast<CChildFrame *>(window)) {
        const int kind = frame->View()->GetDocument()->Kind();
        Shell().activeKind = kind;
        if (kind == StoredFileDocument)
            Shell().highlightVariable = false;
    }
    UpdateToolbarEnabling();
    UpdateTitle();
    emit activeDocumentChanged();
}

void CMainFrame::UpdateTitle() {
    // A maximised document window shows its caption in brackets, once: the window area's own
    // title change is kept out by the bracketed caption already being there.
    QString title = Title(QStringLiteral("ДРАВО Договор"), ActiveView());
    if (CHolderView *view = ActiveView())
        if (auto *frame = qobject_cast<CChildFrame *>(view->parentWidget());
            frame && frame->isMaximized())
            title = QStringLiteral("ДРАВО Договор - [%1]").arg(frame->windowTitle());
    setWindowTitle(title);
}

void CMainFrame::closeEvent(QCloseEvent *event) {
    for (CChildFrame *f : Frames())
        if (!f->close()) {
            event->ignore();
            return;
        }
    WriteBarSettings();
    event->accept();
}

} // namespace dravo
