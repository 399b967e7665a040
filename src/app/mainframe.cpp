#include "app/mainframe.h"

#include "app/childframe.h"
#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/print_setup_dialog.h"
#include "app/dialogs/tip_dialog.h"
#include "app/faded_icon.h"
#include "app/filedialog.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/librarycommand.h"
#include "app/messagebox.h"
#include "app/printing.h"
#include "app/roots.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/systemshell.h"
#include "core/fileio.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace dravo {

namespace {

// Commands that act on a document and so need an open one.
bool NeedsDocument(int id) {
    switch (id) {
    case ID_LIBRARY:
    case ID_JOURNAL:
    case ID_NETWORK:
    case ID_EXIT:
    case ID_HELP:
    case ID_TIP_OF_THE_DAY:
    case ID_WEB_SITE:
    case ID_MAIL:
    case ID_ABOUT:
    case ID_FILE_NEW:
    case ID_VIEW_TOOLBAR:
    case ID_TOOLBAR_TEXT:
    case ID_VIEW_STATUSBAR:
        return false;
    default:
        return true;
    }
}

const QString kTemplateFilter = QStringLiteral("Шаблоны документов (*.adf)");

QString Title(const QString &programTitle, CHolderView *view) {
    if (!view)
        return programTitle;
    return programTitle + QStringLiteral(" - ") + view->GetDocument()->Title();
}

} // namespace

CMainFrame::CMainFrame() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QStringLiteral("ДРАВО Договор"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/dravo.svg")));

    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateToolBar();
    statusBar()->setSizeGripEnabled(true);

    // The bars start in their stored state; the stored values are hidden flags.
    m_bShowToolbarText = Settings::ReadFlagSetting(setting::kShowToolbarText) != 0;
    const bool toolbarHidden = Settings::ReadFlagSetting(setting::kShowToolbar) != 0;
    const bool statusbarHidden = Settings::ReadFlagSetting(setting::kShowStatusbar) != 0;
    ApplyToolbarText();
    m_toolBar->setVisible(!toolbarHidden);
    statusBar()->setVisible(!statusbarHidden);

    BuildMenuBar(128);
    CreateAccelerators();
    UpdateToolbarEnabling();

    // Top left of the screen, as wide as the screen and 12/13 of its height.
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        setGeometry(r.x(), r.y(), r.width(), r.height() * 12 / 13);
    }
}

CMainFrame::~CMainFrame() {
    WriteBarSettings();
    // The document windows go before the bars whose state their activation updates.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (CChildFrame *f : Frames()) {
        disconnect(f, nullptr, this, nullptr);
        delete f;
    }
}

// Bars ---------------------------------------------------------------------------------------

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(QStringLiteral("Панель инструментов"), this);
    m_toolBar->setObjectName(QStringLiteral("toolbar128"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    QFont font;
    // Tahoma where it is installed, else a narrow face that fits the captions as well.
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(13);
    font.setWeight(QFont::Normal);
    m_toolBar->setFont(font);
    for (const ToolButtonSpec &b : Toolbar128()) {
        QAction *a = MakeAction(b.id, b.caption, m_toolBar);
        a->setIcon(FadedWhenDisabled(QIcon(b.icon)));
        a->setIconText(b.caption);
        const QString tip = ToolTipText(b.id);
        a->setToolTip(tip.isEmpty() ? b.caption : tip);
        m_toolBar->addAction(a);
        m_toolActions.insert(b.id, a);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    // The toolbar's own visibility toggle stays in the menu command.
    m_toolBar->toggleViewAction()->setVisible(false);
}

void CMainFrame::ApplyToolbarText() {
    const bool text = m_bShowToolbarText;
    m_toolBar->setToolButtonStyle(text ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(text ? QSize(36, 25) : QSize(36, 28));
    const QSize button = text ? QSize(66, 45) : QSize(44, 34);
    for (QAction *a : m_toolBar->actions())
        if (QWidget *w = m_toolBar->widgetForAction(a))
            w->setFixedSize(button);
    m_toolBar->updateGeometry();
    update();
}

void CMainFrame::SetShowToolbarText(bool on) {
    m_bShowToolbarText = on;
    ApplyToolbarText();
}

bool CMainFrame::ToolbarShown() const {
    return !m_toolBar->isHidden();
}
bool CMainFrame::StatusbarShown() const {
    return !statusBar()->isHidden();
}

void CMainFrame::WriteBarSettings() const {
    Settings::WriteFlagSetting(m_bShowToolbarText ? 1 : 0, setting::kShowToolbarText);
    Settings::WriteFlagSetting(ToolbarShown() ? 0 : 1, setting::kShowToolbar);
    Settings::WriteFlagSetting(StatusbarShown() ? 0 : 1, setting::kShowStatusbar);
    Settings::Sync();
}

void CMainFrame::UpdateToolbarEnabling() {
    for (auto it = m_toolActions.cbegin(); it != m_toolActions.cend(); ++it)
        it.value()->setEnabled(CommandAvailable(it.key()));
}

// Menus --------------------------------------------------------------------------------------

QAction *CMainFrame::MakeAction(int id, const QString &text, QObject *parent) {
    auto *a = new QAction(text, parent);
    a->setData(id);
    a->setStatusTip(StatusPrompt(id));
    switch (id) {
    case ID_HIGHLIGHT:
    case ID_TOOLBAR_TEXT:
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUSBAR:
        a->setCheckable(true);
        break;
    default:
        break;
    }
    connect(a, &QAction::triggered, this, [this, a] { OnCommand(a->data().toInt()); });
    return a;
}

void CMainFrame::BuildMenuBar(int id) {
    m_nMenuBar = id;
    QMenuBar *bar = menuBar();
    bar->clear();
    const MenuBarLayout &layout = id == 128 ? MenuBar128() : MenuBar129();
    for (const MenuLayout &m : layout) {
        QMenu *popup = bar->addMenu(m.title);
        for (const MenuItemLayout &item : m.items) {
            if (item.id == 0)
                popup->addSeparator();
            else
                popup->addAction(MakeAction(item.id, item.text, popup));
        }
        connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdatePopup(popup); });
        UpdatePopup(popup);
    }
}

QList<QMenu *> CMainFrame::Popups() const {
    QList<QMenu *> out;
    for (QAction *a : menuBar()->actions())
        if (a->menu())
            out << a->menu();
    return out;
}

void CMainFrame::UpdatePopup(QMenu *popup) {
    const int kind = Shell().activeKind;
    const QList<QAction *> items = popup->actions();
    // The document menu: print preview only where it exists; the second item opens the document
    // in the word processor, or for a registered contract in the web browser.
    if (m_nMenuBar == 129 && !Popups().isEmpty() && popup == Popups().first()) {
        for (QAction *a : items)
            if (a->data().toInt() == ID_PRINT_PREVIEW && !Shell().previewAvailable)
                popup->removeAction(a);
        if (items.size() > 1) {
            QAction *second = popup->actions().at(1);
            const int id = second->data().toInt();
            if (kind != RegisteredDocument && id == ID_OPEN_IN_BROWSER) {
                second->setData(ID_OPEN_IN_WORD);
                second->setText(OpenInWordText());
                second->setStatusTip(StatusPrompt(ID_OPEN_IN_WORD));
            } else if (kind == RegisteredDocument && id == ID_OPEN_IN_WORD) {
                second->setData(ID_OPEN_IN_BROWSER);
                second->setText(OpenInExplorerText());
                second->setStatusTip(StatusPrompt(ID_OPEN_IN_BROWSER));
            }
        }
    }
    for (QAction *a : popup->actions()) {
        if (a->isSeparator())
            continue;
        const int id = a->data().toInt();
        switch (id) {
        case ID_HIGHLIGHT:
            a->setChecked(Shell().highlightVariable);
            break;
        case ID_TOOLBAR_TEXT:
            a->setChecked(m_bShowToolbarText);
            break;
        case ID_VIEW_TOOLBAR:
            a->setChecked(ToolbarShown());
            break;
        case ID_VIEW_STATUSBAR:
            a->setChecked(StatusbarShown());
            break;
        default:
            break;
        }
        a->setEnabled(CommandEnabled(id));
    }
    UpdateWindowList(popup);
}

void CMainFrame::UpdateWindowList(QMenu *popup) {
    // The window menu ends with the list of the open document windows, the active one ticked,
    // so that a window hidden behind a maximised one can be reached.
    const QList<QAction *> items = popup->actions();
    const bool windowMenu = std::any_of(items.begin(), items.end(), [](QAction *a) {
        return !a->isSeparator() && a->data().toInt() == ID_NEW_WINDOW;
    });
    if (!windowMenu)
        return;
    for (QAction *a : items)
        if (a->property("windowList").toBool()) {
            popup->removeAction(a);
            delete a;
        }
    const QList<CChildFrame *> frames = Frames();
    if (frames.isEmpty())
        return;
    popup->addSeparator()->setProperty("windowList", true);
    const QMdiSubWindow *active = m_mdi->activeSubWindow();
    for (int i = 0; i < frames.size() && i < 9; ++i) {
        QPointer<CChildFrame> frame = frames[i];
        QString title = frame->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *a = popup->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
        a->setProperty("windowList", true);
        a->setData(ID_FIRST_MDI_CHILD + i);
        a->setCheckable(true);
        a->setChecked(frame == active);
        connect(a, &QAction::triggered, this, [this, frame] {
            if (!frame)
                return;
            if (frame->isMinimized())
                frame->showNormal();
            m_mdi->setActiveSubWindow(frame);
        });
    }
}

void CMainFrame::CreateAccelerators() {
    for (const AcceleratorSpec &acc : Accelerators128()) {
        auto *a = new QAction(this);
        a->setShortcut(acc.keys);
        a->setShortcutContext(Qt::WindowShortcut);
        const int id = acc.id;
        connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(a);
        m_accelerators << a;
    }
}

bool CMainFrame::CommandAvailable(int id) const {
    if (id >= ID_FRAGMENT_FIRST && id <= ID_FRAGMENT_LAST)
        return ActiveView() != nullptr;
    if (NeedsDocument(id) && !ActiveView())
        return false;
    const int action = NeedsDocument(id) ? ActionForKind(id, Shell().activeKind) : id;
    return action != 0 && CommandImplemented(action);
}

bool CMainFrame::CommandEnabled(int id) const {
    return CommandAvailable(id) && !GrayedForKind(id, Shell().activeKind);
}

// Commands -----------------------------------------------------------------------------------

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
        if (!SystemShell::Open(QUrl(QString::fromLatin1(kWebSite))))
            MessageBox::Information(this, QStringLiteral("Не найден веб-браузер, чтобы открыть "
                                                         "сайт программы %1")
                                              .arg(QString::fromLatin1(kWebSite)));
        break;
    case ID_MAIL: {
        QUrl mail(QStringLiteral("mailto:") + QString::fromLatin1(kSupportMail));
        mail.setQuery(QStringLiteral("subject=") + QString::fromUtf8(QUrl::toPercentEncoding(
                                                       QStringLiteral("Вопрос по ДРАВО Договор"))));
        if (!SystemShell::Open(mail))
            MessageBox::Information(this, QStringLiteral("Не найдена почтовая программа, чтобы "
                                                         "написать письмо. Адрес поддержки: %1")
                                              .arg(QString::fromLatin1(kSupportMail)));
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
    if (!SystemShell::Open(QUrl::fromLocalFile(file)))
        MessageBox::Information(this, QStringLiteral("Не найден веб-браузер, чтобы открыть "
                                                     "страницу %1")
                                          .arg(QDir::toNativeSeparators(file)));
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
    if (!SystemShell::Open(QUrl::fromLocalFile(index)))
        MessageBox::Information(this, QStringLiteral("Не найден веб-браузер, чтобы открыть "
                                                     "помощь %1")
                                          .arg(QDir::toNativeSeparators(index)));
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

// Documents ----------------------------------------------------------------------------------

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
    doc->OpenDatabase(Roots::TemplatesRoot(),
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
