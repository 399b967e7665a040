// The main window: menus 128 (no document open) and 129 (documents open), the captioned toolbar,
// the status bar, the document windows, and the command dispatch.
#pragma once

#include "app/menus.h"

#include <QHash>
#include <QMainWindow>
#include <QPageLayout>
#include <QPointer>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QToolBar;

namespace dravo {

class CChildFrame;
class CHolderDoc;
class CHolderView;
struct RootFallback;

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    CMainFrame();
    ~CMainFrame() override;

    // Runs a command by id, as the menus, the toolbar and the accelerators do.
    void OnCommand(int id);
    // True when the command's menu item is enabled now: it can run, and the kind rule that
    // grays menu items does not gray it.
    bool CommandEnabled(int id) const;
    // True when the command can run now from an accelerator or a toolbar button: what this
    // build carries and what the command does for the active document's kind.
    bool CommandAvailable(int id) const;

    // Documents.
    CHolderView *NewDocument();
    CHolderView *OpenDocument(const QString &path);
    // A new window on the document of view.
    CHolderView *NewWindow(CHolderView *view);
    CHolderView *ActiveView() const;
    QList<CChildFrame *> Frames() const;
    // Compares name with every open document's title (upper case, without folders and ".ADF");
    // on a match mode 0 activates the window, mode 1 minimises it.
    bool FindOpenDocument(const QString &name, int mode);

    // The contract journal (mainframe_journal.cpp): the journal page "Журнал документов" (an
    // open one is activated), a registered document in a window of its own, a registered
    // template reopened as a new template, and the rebuild of every journal page.
    CHolderView *OpenJournal();
    CHolderView *OpenRegisteredDocument(int bookId);
    CHolderView *OpenTemplateCopy(const QByteArray &adf, const QString &title);
    void RefreshJournals(bool activate);

    // Network work (mainframe_network.cpp): command 215, and the roots checked again before a
    // command reads them, so that a computer that left the network is given up with a message.
    void CmdNetwork();
    void CheckNetworkRoots();
    // To call after the database server setting (setting::kDatabaseServer) or the database root
    // changed: every open document's database is closed and opened again where the settings now
    // point (the server, or the database root's "tables.db"), keeping its party selection. A
    // server that is down or refuses the password is said once, naming the server, and the
    // documents go on with blank forms.
    void ReopenDatabases();

    // Saves the document of view; asks for a name when it has none. False when not saved.
    bool SaveDocument(CHolderView *view);
    bool SaveDocumentAs(CHolderView *view);
    // Asked by a closing document window: false keeps it open.
    bool CanCloseView(CHolderView *view);

    // Bars.
    bool ShowToolbarText() const { return m_bShowToolbarText; }
    void SetShowToolbarText(bool on);
    bool ToolbarShown() const;
    bool StatusbarShown() const;
    // The layout of PDF output: A4 with the margins of the page set-up.
    QPageLayout PdfLayout() const;
    void WriteBarSettings() const;

    // Menus: the bar now shown (128 or 129) and its popups.
    int MenuBarId() const { return m_nMenuBar; }
    QList<QMenu *> Popups() const;
    // Applies the enabling rules to a popup, as when it opens.
    void UpdatePopup(QMenu *popup);
    QToolBar *ToolBar() const { return m_toolBar; }
    // The printer that printing and its set-up share.
    QPrinter *Printer() const { return m_printer.get(); }
    QMdiArea *MdiArea() const { return m_mdi; }

  signals:
    void activeDocumentChanged();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void CreateToolBar();
    void CreateAccelerators();
    void BuildMenuBar(int id);
    QAction *MakeAction(int id, const QString &text, QObject *parent);
    void ApplyToolbarText();
    void UpdateToolbarEnabling();
    void UpdateWindowList(QMenu *popup);
    void OnSubWindowActivated(QMdiSubWindow *window);
    void UpdateTitle();
    CChildFrame *AddFrame(CHolderView *view);
    CHolderView *CreateView(std::shared_ptr<CHolderDoc> doc);
    void OpenDatabase(CHolderDoc *doc);
    void ConnectJournal(CHolderView *view);
    void DocumentsChanged();
    // After the roots moved: the fallbacks said, the value lists and the documents' databases
    // taken from the new places, the pages refreshed.
    void AfterRootsMoved(const QString &oldTemplatesRoot, const QString &oldDatabaseRoot,
                         bool databaseServerChanged, const QList<RootFallback> &fallbacks);

    void CmdLibrary();
    void CmdPrint(bool preview);
    void CmdPrintSetup();
    void CmdPageSetup();
    void CmdOpenInBrowser();
    void CmdOpenInWord();
    void CmdSavePdf();
    void CmdHelp();
    void CmdAbout();
    void CmdToggleHighlight();

    QMdiArea *m_mdi = nullptr;
    QToolBar *m_toolBar = nullptr;
    QHash<int, QAction *> m_toolActions;
    QList<QAction *> m_accelerators;
    int m_nMenuBar = 0;
    bool m_bShowToolbarText = true;
    bool m_bFirstActivation = true;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace dravo
