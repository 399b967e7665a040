// The document view: a web view that shows the document's page and carries the page's calls
// (window.external) and the fragment menu back to the document. It owns nothing of the
// document; several views may show one document.
#pragma once

#include <QList>
#include <QPointF>
#include <QPointer>
#include <QWebEngineView>

#include "textgen/datasource.h"
#include <functional>
#include <memory>

class QWebChannel;

namespace dravo {

class CHolderDoc;
class CHolderView;

// The object a page reaches as window.external: it hands the calls to its own view.
class PageExternal : public QObject {
    Q_OBJECT
  public:
    explicit PageExternal(CHolderView *view);

  public slots:
    void Bing(int article, int clause, int mode);
    void CardKontr(int id);
    void Direc(int id);
    void DirRekv(int code);
    void Unknown(const QString &name);

  private:
    QPointer<CHolderView> m_view;
};

// What a dialog of a data command ended with.
enum class DialogResult { NotAvailable, Ok, Cancel };

class CHolderView : public QWebEngineView {
    Q_OBJECT
  public:
    explicit CHolderView(std::shared_ptr<CHolderDoc> document, QWidget *parent = nullptr);
    ~CHolderView() override;

    CHolderDoc *GetDocument() const { return m_document.get(); }
    const std::shared_ptr<CHolderDoc> &SharedDocument() const { return m_document; }

    // Builds the page anew and loads it; the reader's scroll position is kept.
    void Refresh();
    bool PageLoaded() const { return m_bPageLoaded; }
    // The page text of the last refresh (windows-1251).
    const QByteArray &PageText() const { return m_pageText; }

    static QList<CHolderView *> AllViews();
    static QList<CHolderView *> ViewsOf(const CHolderDoc *document);
    // Refreshes every view of the document.
    static void RefreshViewsOf(const CHolderDoc *document);

    // The page's calls, as window.external delivers them.
    void OnDirRekv(int code);
    void OnBing(int article, int clause, int mode);
    void OnDirec(int id);
    void OnCardKontr(int id);
    void OnUnknownExternal(const QString &name);

    // Commands on this view's document. A successful edit refreshes every view of the document
    // and, for modifying commands, marks it modified.
    void CmdSetupData();                                     // 2004, DirRekv(2)
    void CmdUserRequisites();                                // 2003, DirRekv(1)
    void CmdClauseEditor(int article, int clause, int mode); // Bing, fragment menu
    void CmdPartyRequisites(int code);                       // DirRekv(6), DirRekv(7)
    void CmdCounterparty();                                  // 2005, 2003 on kind 3
    void CmdSubject(bool settlement);                        // 2057, DirRekv(3), DirRekv(4)
    void CmdOpenInReader();                                  // DirRekv(8)
    void CmdFragment(int id);                                // 10000..30000
    void CmdVariableData();                                  // 2007
    // The journal and the formatting commands (view_journal.cpp).
    void CmdJournalParameters(); // 2067, 2004 on the journal page, DirRekv(5)
    void CmdRegister();          // 2054
    void CmdCard(int bookId);    // CardKontr
    void CmdStyles();            // 2011
    void CmdFont();              // 2001
    void CmdParagraph();         // 2002

    // After a confirmed edit: mark the document modified (when modifying) and refresh.
    void DocumentChanged(bool modifying = true);

    // The fragment menu at a global position (kind 1 only); returns the chosen command id or 0.
    int ShowFragmentMenu(const QPoint &globalPos);

    // Test and timing seam: when set, the data commands call this instead of showing their
    // dialog; it gets the dialog's name ("setup", "user", "clause", "variables",
    // "counterparty", "subject", "party") and its arguments.
    using DialogStandIn =
        std::function<DialogResult(CHolderDoc &doc, const QString &dialog, const QList<int> &args)>;
    static void SetDialogStandIn(DialogStandIn standIn);

  signals:
    // Every call that reaches the view from its page, before it is dispatched.
    void externalCalled(const QString &name, const QList<int> &args);
    // A refresh has put the new page into the view.
    void pageLoaded(bool ok);
    // A command the main window carries out (e.g. the counterparty choice after DirRekv(6)).
    void commandRequested(int id);
    // The journal's rows changed: journal pages rebuild (and, after a registration, the journal
    // window comes to the front).
    void journalChanged(bool activate);
    // A registered document to open in a window of its own (Direc, "Текст" on the card).
    void registeredDocumentRequested(int bookId);
    // A registered contract to reopen as a template ("Открыть как шаблон" on the card).
    void templateRequested(const QByteArray &adf, const QString &title);

  protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

  private:
    // The dialogs of the data commands; each returns Ok when the user confirmed a change.
    DialogResult RunSetupDataDialog();
    DialogResult RunUserRequisitesDialog();
    DialogResult RunClauseEditorDialog(int article, int clause, int mode);
    DialogResult RunVariableDataForm();
    DialogResult RunCounterpartyDialog();
    DialogResult RunSubjectDialog(bool settlement);
    DialogResult RunPartyCardDialog(textgen::PartySide side);

    void OnLoadFinished(bool ok);
    void LoadFromScheme();
    void ReplaceInPlace(const std::string &html);
    void SetScrollRestore(const QPointF &pos);

    std::shared_ptr<CHolderDoc> m_document;
    QWebChannel *m_channel = nullptr;
    PageExternal *m_external = nullptr;
    QString m_key;
    quint64 m_serial = 0;
    bool m_bPageLoaded = false;
    bool m_bLoading = false;
    bool m_bHasPage = false; // a page of ours is in the view: refreshes replace it in place
    QByteArray m_pageText;
    QPointF m_restoreScroll;
};

} // namespace dravo
