// The main window's commands: the one handler every menu item, accelerator and toolbar button
// calls, and the commands that are the window's own (printing, the browser, help, about).
#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/print_setup_dialog.h"
#include "app/dialogs/tip_dialog.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/librarycommand.h"
#include "app/mainframe.h"
#include "app/messagebox.h"
#include "app/printing.h"
#include "app/shell.h"
#include "app/systemshell.h"
#include "core/fileio.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace dravo {

namespace {

// Opens an address in the desktop's program for it; when there is none, says so, with what was
// to be opened and where the user finds it by hand.
void OpenOrTell(QWidget *parent, const QUrl &url, const QString &missing, const QString &shown) {
    if (!SystemShell::Open(url))
        MessageBox::Information(parent, missing.arg(shown));
}

} // namespace

void CMainFrame::OnCommand(int id) {
    // Menu items grayed by the document's kind cannot be chosen; accelerators and toolbar
    // buttons run what the command does for that kind (each case below branches on it).
    if (!CommandAvailable(id))
        return;
    CHolderView *view = ActiveView();
    switch (id) {
    case ID_FILE_NEW:
        CheckNetworkRoots();
        NewDocument();
        break;
    case ID_LIBRARY:
        CheckNetworkRoots();
        CmdLibrary();
        break;
    case ID_NETWORK:
        CmdNetwork();
        break;
    case ID_FILE_SAVE:
        SaveDocument(view);
        break;
    case ID_FILE_SAVE_AS:
        CheckNetworkRoots(); // the folder offered for a new template lies under the root
        SaveDocumentAs(view);
        break;
    case ID_SETUP_DATA:
        if (view->GetDocument()->Kind() == TemplateDocument)
            view->CmdSetupData();
        else if (view->GetDocument()->IsJournalPage())
            view->CmdJournalParameters();
        break;
    case ID_JOURNAL:
        CheckNetworkRoots();
        OpenJournal();
        break;
    case ID_JOURNAL_PARAMETERS:
        view->CmdJournalParameters();
        break;
    case ID_REGISTER:
        view->CmdRegister();
        break;
    case ID_FONT:
        view->CmdFont();
        break;
    case ID_PARAGRAPH:
        view->CmdParagraph();
        break;
    case ID_STYLES:
        view->CmdStyles();
        break;
    case ID_USER_REQUISITES:
        if (view->GetDocument()->Kind() == TemplateDocument)
            view->CmdUserRequisites();
        else if (view->GetDocument()->Kind() == StoredFileDocument)
            view->CmdCounterparty(); // a stored file names its parties instead
        break;
    case ID_COUNTERPARTY:
        if (view->GetDocument()->Kind() == TemplateDocument)
            view->CmdCounterparty();
        break;
    case ID_SUBJECT:
        view->CmdSubject(false);
        break;
    case ID_VARIABLE_DATA:
        if (view->GetDocument()->Kind() == TemplateDocument)
            view->CmdVariableData();
        break;
    case ID_HIGHLIGHT:
        CmdToggleHighlight();
        break;
    case ID_VIEW_TOOLBAR:
        m_toolBar->setVisible(!ToolbarShown());
        break;
    case ID_TOOLBAR_TEXT:
        SetShowToolbarText(!m_bShowToolbarText);
        break;
    case ID_VIEW_STATUSBAR:
        statusBar()->setVisible(!StatusbarShown());
        break;
    case ID_NEW_WINDOW:
        NewWindow(view);
        break;
    case ID_CASCADE:
        m_mdi->cascadeSubWindows();
        break;
    case ID_TILE:
        m_mdi->tileSubWindows();
        break;
    case ID_PRINT:
        CmdPrint(false);
        break;
    case ID_PRINT_PREVIEW:
        CmdPrint(true);
        break;
    case ID_PRINT_SETUP:
        CmdPrintSetup();
        break;
    case ID_PAGE_SETUP:
        CmdPageSetup();
        break;
    case ID_OPEN_IN_BROWSER:
        CmdOpenInBrowser();
        break;
    case ID_OPEN_IN_WORD:
        CmdOpenInWord();
        break;
    case ID_SAVE_PDF:
        CmdSavePdf();
        break;
    case ID_HELP:
        CmdHelp();
        break;
    case ID_WEB_SITE:
        OpenOrTell(this, QUrl(QString::fromLatin1(kWebSite)),
                   QStringLiteral("Не найден веб-браузер, чтобы открыть сайт программы %1"),
                   QString::fromLatin1(kWebSite));
        break;
    case ID_MAIL: {
        QUrl mail(QStringLiteral("mailto:") + QString::fromLatin1(kSupportMail));
        mail.setQuery(QStringLiteral("subject=") + QString::fromUtf8(QUrl::toPercentEncoding(
                                                       QStringLiteral("Вопрос по ДРАВО Договор"))));
        OpenOrTell(this, mail,
                   QStringLiteral("Не найдена почтовая программа, чтобы написать письмо. Адрес "
                                  "поддержки: %1"),
                   QString::fromLatin1(kSupportMail));
        break;
    }
    case ID_TIP_OF_THE_DAY:
        ShowTipOfTheDay(this);
        break;
    case ID_ABOUT:
        CmdAbout();
        break;
    case ID_EXIT:
        close();
        break;
    case ID_COPY:
        view->triggerPageAction(QWebEnginePage::Copy);
        break;
    case ID_CUT:
        view->triggerPageAction(QWebEnginePage::Cut);
        break;
    case ID_PASTE:
        view->triggerPageAction(QWebEnginePage::Paste);
        break;
    case ID_UNDO:
        view->triggerPageAction(QWebEnginePage::Undo);
        break;
    case ID_NEXT_PANE:
        m_mdi->activateNextSubWindow();
        break;
    case ID_PREV_PANE:
        m_mdi->activatePreviousSubWindow();
        break;
    default:
        if (id >= ID_FRAGMENT_FIRST && id <= ID_FRAGMENT_LAST)
            view->CmdFragment(id);
        break;
    }
}

void CMainFrame::CmdToggleHighlight() {
    Shell().highlightVariable = !Shell().highlightVariable;
    for (CHolderView *v : CHolderView::AllViews())
        v->Refresh();
}

void CMainFrame::CmdLibrary() {
    RunLibraryCommand(*this);
}

void CMainFrame::CmdPrint(bool preview) {
    CHolderView *view = ActiveView();
    if (preview) {
        QPrintPreviewDialog dialog(m_printer.get(), this);
        dialog.setWindowTitle(QStringLiteral("Предварительный просмотр"));
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [view](QPrinter *printer) {
            BusyCursor busy;
            PaintPages(view, *printer); // on the preview's pages, also when printing to a file
        });
        DialogSeam::Exec(dialog);
        return;
    }
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return;
    QString error;
    bool printed = false;
    {
        BusyCursor busy;
        printed = PrintView(view, *m_printer, &error);
    }
    if (!printed)
        MessageBox::Warning(this, QStringLiteral("Не удалось напечатать документ.\n") + error);
}

void CMainFrame::CmdPrintSetup() {
    // The choice is kept for the next printing; nothing is printed here.
    RunPrintSetupDialog(this, *m_printer);
}

void CMainFrame::CmdPageSetup() {
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(QStringLiteral("Параметры страницы"));
    dialog.exec();
}

void CMainFrame::CmdOpenInBrowser() {
    CHolderView *view = ActiveView();
    QByteArray page = view->PageText();
    // The page carries no code page of its own: name it for the browser.
    const QByteArray meta = QByteArrayLiteral(
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">");
    const qsizetype head = page.indexOf("<HEAD>");
    if (head >= 0)
        page.insert(head + 6, meta);
    else
        page.prepend(meta);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("/page-") + QString::number(quintptr(view), 16) +
                         QStringLiteral(".html");
    std::string error;
    if (!WriteFileAtomically(QFile::encodeName(file).toStdString(), page.toStdString(), error)) {
        MessageBox::Warning(this, QStringLiteral("Не удалось записать файл ") + file);
        return;
    }
    OpenOrTell(this, QUrl::fromLocalFile(file),
               QStringLiteral("Не найден веб-браузер, чтобы открыть страницу %1"),
               QDir::toNativeSeparators(file));
}

void CMainFrame::CmdHelp() {
    // The help pages travel inside the program; the browser reads them from a cache folder.
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/help");
    QDir().mkpath(folder);
    const QDir source(QStringLiteral(":/help"));
    for (const QString &name : source.entryList(QDir::Files)) {
        const QString target = folder + QLatin1Char('/') + name;
        QFile::remove(target);
        QFile::copy(source.filePath(name), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    const QString index = folder + QStringLiteral("/index.html");
    if (!QFileInfo::exists(index)) {
        MessageBox::Warning(this, QStringLiteral("Не найден файл помощи ") + index);
        return;
    }
    OpenOrTell(this, QUrl::fromLocalFile(index),
               QStringLiteral("Не найден веб-браузер, чтобы открыть помощь %1"),
               QDir::toNativeSeparators(index));
}

void CMainFrame::CmdAbout() {
    QDialog dialog(this);
    // Large system fonts get the compact layout.
    const bool compact = QFontMetrics(dialog.font()).height() > 16;
    dialog.setWindowTitle(compact ? QStringLiteral("О программе ДРАВО Договор")
                                  : QStringLiteral("О программе"));
    auto *picture = new QLabel(&dialog);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/dravo.svg")).pixmap(compact ? 48 : 96));
    auto *text = new QLabel(QStringLiteral("<b>ДРАВО Договор</b><br>Версия %1<br><br>"
                                           "Составление договоров по шаблонам.")
                                .arg(QCoreApplication::applicationVersion()),
                            &dialog);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(text, 1);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(row);
    layout->addWidget(buttons);
    dialog.exec();
}

} // namespace dravo
