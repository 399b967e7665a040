// The main window: its bars, menus and accelerators and which commands they offer. The commands
// themselves are in mainframe_commands.cpp, the document windows in mainframe_documents.cpp.
#include "app/mainframe.h"

#include "app/childframe.h"
#include "app/commands.h"
#include "app/faded_icon.h"
#include "app/settings.h"
#include "app/shell.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
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

} // namespace dravo
