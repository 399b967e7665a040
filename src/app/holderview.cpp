#include "app/holderview.h"

#include "app/commands.h"
#include "app/fragmentmenu.h"
#include "app/holderdoc.h"
#include "app/messagebox.h"
#include "app/pageserver.h"
#include "app/shell.h"
#include "core/text.h"
#include "refdata/document_database.h"

#include <QContextMenuEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace dravo {

namespace {

QList<CHolderView *> &Views() {
    static QList<CHolderView *> views;
    return views;
}

const QString kScrollScript = QStringLiteral("dravo-scroll");

CHolderView::DialogStandIn &StandIn() {
    static CHolderView::DialogStandIn standIn;
    return standIn;
}

// Runs a call of the page after the channel's message has been handled, so that a dialog it
// opens does not run inside the channel's delivery.
template <typename F> void Later(CHolderView *view, F f) {
    QTimer::singleShot(0, view, std::move(f));
}

} // namespace

PageExternal::PageExternal(CHolderView *view) : QObject(view), m_view(view) {}

void PageExternal::Bing(int article, int clause, int mode) {
    if (m_view)
        Later(m_view, [v = m_view, article, clause, mode] {
            if (v)
                v->OnBing(article, clause, mode);
        });
}

void PageExternal::CardKontr(int id) {
    if (m_view)
        Later(m_view, [v = m_view, id] {
            if (v)
                v->OnCardKontr(id);
        });
}

void PageExternal::Direc(int id) {
    if (m_view)
        Later(m_view, [v = m_view, id] {
            if (v)
                v->OnDirec(id);
        });
}

void PageExternal::DirRekv(int code) {
    if (m_view)
        Later(m_view, [v = m_view, code] {
            if (v)
                v->OnDirRekv(code);
        });
}

void PageExternal::Unknown(const QString &name) {
    if (m_view)
        Later(m_view, [v = m_view, name] {
            if (v)
                v->OnUnknownExternal(name);
        });
}

CHolderView::CHolderView(std::shared_ptr<CHolderDoc> document, QWidget *parent)
    : QWebEngineView(parent), m_document(std::move(document)) {
    static quint64 nextKey = 1;
    m_key = QString::number(nextKey++);
    auto *page = new QWebEnginePage(PageProfile(), this);
    setPage(page);
    page->setBackgroundColor(Qt::white);
    m_channel = new QWebChannel(this);
    m_external = new PageExternal(this);
    m_channel->registerObject(QStringLiteral("external"), m_external);
    page->setWebChannel(m_channel);
    connect(page, &QWebEnginePage::loadFinished, this, &CHolderView::OnLoadFinished);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    Views().append(this);
}

CHolderView::~CHolderView() {
    Views().removeAll(this);
    PageHandler()->Withdraw(m_key);
}

QList<CHolderView *> CHolderView::AllViews() {
    return Views();
}

QList<CHolderView *> CHolderView::ViewsOf(const CHolderDoc *document) {
    QList<CHolderView *> out;
    for (CHolderView *v : Views())
        if (v->GetDocument() == document)
            out << v;
    return out;
}

void CHolderView::RefreshViewsOf(const CHolderDoc *document) {
    for (CHolderView *v : ViewsOf(document))
        v->Refresh();
}

void CHolderView::Refresh() {
    m_bPageLoaded = false;
    const std::string html = m_document->BuildPage(Shell().highlightVariable);
    m_pageText = QByteArray(html.data(), static_cast<qsizetype>(html.size()));
    // What a reload of the page (or its printing) gets.
    PageHandler()->Publish(m_key, m_pageText);
    // A page of megabytes (a long journal) loads faster than it is handed over as a script
    // literal and written into the document.
    constexpr std::size_t kInPlaceLimit = 1 << 20;
    if (m_bHasPage && !m_bLoading && html.size() <= kInPlaceLimit) {
        ReplaceInPlace(html);
        return;
    }
    LoadFromScheme();
}

void CHolderView::LoadFromScheme() {
    // Keep the reader where he was: the page scrolls back as soon as its document is ready.
    if (m_serial > 0)
        m_restoreScroll = page()->scrollPosition();
    SetScrollRestore(m_restoreScroll);
    m_bLoading = true;
    load(PageSchemeHandler::PageUrl(m_key, ++m_serial));
}

void CHolderView::ReplaceInPlace(const std::string &html) {
    // The page document takes the new text as a stream, in place: the window, its external
    // object and the reader's scroll position stay. The new document gets the page style that
    // a load would have given it.
    const QByteArray text = QJsonDocument(QJsonArray{QString::fromStdString(ToUtf8(html))})
                                .toJson(QJsonDocument::Compact);
    const QString script =
        QStringLiteral("(function(h){var x=window.scrollX,y=window.scrollY;document.open();"
                       "document.write(h);document.close();") +
        PageStyleScript() + QStringLiteral("window.scrollTo(x,y);return true;})(") +
        QString::fromUtf8(text) + QStringLiteral("[0])");
    const quint64 serial = ++m_serial;
    QPointer<CHolderView> self(this);
    page()->runJavaScript(script, QWebEngineScript::MainWorld, [self, serial](const QVariant &ok) {
        if (!self || serial != self->m_serial)
            return; // a later refresh has taken over
        if (!ok.toBool()) {
            self->m_bHasPage = false;
            self->LoadFromScheme();
            return;
        }
        self->m_bPageLoaded = true;
        emit self->pageLoaded(true);
    });
}

void CHolderView::SetScrollRestore(const QPointF &pos) {
    QWebEngineScriptCollection &scripts = page()->scripts();
    for (const QWebEngineScript &old : scripts.find(kScrollScript))
        scripts.remove(old);
    if (pos.isNull())
        return;
    QWebEngineScript script;
    script.setName(kScrollScript);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(QStringLiteral("window.scrollTo(%1, %2);").arg(pos.x()).arg(pos.y()));
    scripts.insert(script);
}

void CHolderView::OnLoadFinished(bool ok) {
    if (!m_bLoading)
        return;
    m_bLoading = false;
    if (!ok) {
        MessageBox::Warning(this, QStringLiteral("Не удалось загрузить документ в окно."));
        emit pageLoaded(false);
        return;
    }
    if (!m_restoreScroll.isNull())
        page()->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);")
                                  .arg(m_restoreScroll.x())
                                  .arg(m_restoreScroll.y()),
                              QWebEngineScript::ApplicationWorld);
    m_bPageLoaded = true;
    m_bHasPage = true;
    emit pageLoaded(true);
}

void CHolderView::DocumentChanged(bool modifying) {
    if (modifying)
        m_document->SetModified(true);
    RefreshViewsOf(m_document.get());
}

void CHolderView::SetDialogStandIn(DialogStandIn standIn) {
    StandIn() = std::move(standIn);
}

// window.external ----------------------------------------------------------------------------

void CHolderView::OnDirRekv(int code) {
    emit externalCalled(QStringLiteral("DirRekv"), {code});
    if (m_document->ReadOnly())
        return;
    switch (code) {
    case 1: // the user's requisites
        CmdUserRequisites();
        break;
    case 2: // title, subtitle, date line, preamble, party names
        CmdSetupData();
        break;
    case 3: // the subject of the contract
    case 4: // the property given in settlement
        CmdSubject(code == 4);
        break;
    case 5: // the journal parameters
        CmdJournalParameters();
        break;
    case 6: // the counterparty's requisites
    case 7: // the third party's requisites
        CmdPartyRequisites(code);
        break;
    case 8:
        CmdOpenInReader();
        break;
    default:
        break;
    }
}

void CHolderView::OnBing(int article, int clause, int mode) {
    emit externalCalled(QStringLiteral("Bing"), {article, clause, mode});
    if (m_document->Kind() != TemplateDocument || m_document->ReadOnly())
        return;
    CmdClauseEditor(article, clause, mode);
}

void CHolderView::OnDirec(int id) {
    emit externalCalled(QStringLiteral("Direc"), {id});
    if (m_document->IsJournalPage())
        emit registeredDocumentRequested(id);
}

void CHolderView::OnCardKontr(int id) {
    emit externalCalled(QStringLiteral("CardKontr"), {id});
    if (m_document->IsJournalPage())
        CmdCard(id);
}

void CHolderView::OnUnknownExternal(const QString &name) {
    emit externalCalled(name, {});
    MessageBox::Information(
        this, QStringLiteral("Программа не определила реакцию на запрашиваемую команду"));
}

// Commands -----------------------------------------------------------------------------------

void CHolderView::CmdSetupData() {
    const DialogResult result =
        StandIn() ? StandIn()(*m_document, QStringLiteral("setup"), {}) : RunSetupDataDialog();
    if (result == DialogResult::Ok)
        DocumentChanged(true);
}

void CHolderView::CmdUserRequisites() {
    // The user's requisites live in their own file: confirming them changes no document.
    const DialogResult result =
        StandIn() ? StandIn()(*m_document, QStringLiteral("user"), {}) : RunUserRequisitesDialog();
    if (result == DialogResult::Ok)
        DocumentChanged(false);
}

void CHolderView::CmdVariableData() {
    const DialogResult result =
        StandIn() ? StandIn()(*m_document, QStringLiteral("variables"), {}) : RunVariableDataForm();
    if (result == DialogResult::Ok)
        DocumentChanged(true);
}

void CHolderView::CmdClauseEditor(int article, int clause, int mode) {
    CBody &body = m_document->Body();
    if (article < 0 || static_cast<std::size_t>(article) >= body.ArticleCount())
        return;
    const DialogResult result =
        StandIn() ? StandIn()(*m_document, QStringLiteral("clause"), {article, clause, mode})
                  : RunClauseEditorDialog(article, clause, mode);
    if (result == DialogResult::NotAvailable)
        return;
    SyncArticleChecks(body);
    if (result == DialogResult::Ok)
        DocumentChanged(true);
    else
        update();
}

void CHolderView::CmdFragment(int id) {
    int article = 0;
    int clause = 0;
    if (DecodeFragmentCommand(id, article, clause))
        CmdClauseEditor(article, clause, 1);
}

void CHolderView::CmdPartyRequisites(int code) {
    const auto side = code == 6 ? textgen::PartySide::Counterparty : textgen::PartySide::ThirdParty;
    const int id = code == 6 ? m_document->CounterpartyId() : m_document->ThirdPartyId();
    refdata::DocumentDatabase *db = m_document->Database();
    if (id != -1 && db && db->SelectedParty(side).has_value()) {
        // The directory row changes, not the document: the page is rebuilt.
        const DialogResult result = StandIn()
                                        ? StandIn()(*m_document, QStringLiteral("party"), {code})
                                        : RunPartyCardDialog(side);
        if (result == DialogResult::Ok)
            DocumentChanged(false);
        return;
    }
    if (!MessageBox::AskYesNo(this, QStringLiteral("\n Контрагент не определен. Выбрать?")))
        return;
    // "Да" runs command 2005 through the main window, as the menu does. A stored file, for
    // which the menu grays that command, gets the choice itself.
    if (m_document->Kind() == StoredFileDocument)
        CmdCounterparty();
    else
        emit commandRequested(ID_COUNTERPARTY);
}

void CHolderView::CmdCounterparty() {
    const DialogResult result = StandIn()
                                    ? StandIn()(*m_document, QStringLiteral("counterparty"), {})
                                    : RunCounterpartyDialog();
    if (result == DialogResult::Ok)
        DocumentChanged(true);
}

void CHolderView::CmdSubject(bool settlement) {
    const DialogResult result =
        StandIn() ? StandIn()(*m_document, QStringLiteral("subject"), {settlement ? 1 : 0})
                  : RunSubjectDialog(settlement);
    if (result == DialogResult::Ok)
        DocumentChanged(true);
}

void CHolderView::CmdOpenInReader() {
    // The reader program opens files: a template never saved has none yet.
    if (m_document->Path().isEmpty()) {
        MessageBox::Information(this, QStringLiteral("Шаблон еще не сохранен в файл. Сохраните "
                                                     "его, чтобы открыть в программе Dravo "
                                                     "Document."));
        return;
    }
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("dravodr"));
    if (reader.isEmpty()) {
        MessageBox::Information(
            this, QStringLiteral("Программа Dravo Document (русская версия) не установлена"));
        return;
    }
    QProcess::startDetached(reader, {m_document->Path()});
}

// Fragment menu ------------------------------------------------------------------------------

int CHolderView::ShowFragmentMenu(const QPoint &globalPos) {
    if (m_document->Kind() != TemplateDocument)
        return 0;
    QMenu menu(this);
    for (const FragmentSubmenu &sub : BuildFragmentMenu(m_document->Body())) {
        if (sub.separatorBefore)
            menu.addSeparator();
        QMenu *popup = menu.addMenu(sub.label);
        popup->menuAction()->setCheckable(true);
        popup->menuAction()->setChecked(sub.checked);
        for (const FragmentItem &item : sub.items) {
            if (item.separatorBefore)
                popup->addSeparator();
            QAction *a = popup->addAction(item.label);
            a->setCheckable(true);
            a->setChecked(item.checked);
            a->setData(item.id);
            a->setEnabled(item.id != 0);
        }
    }
    QAction *chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
}

void CHolderView::contextMenuEvent(QContextMenuEvent *event) {
    event->accept();
    if (m_document->Kind() != TemplateDocument)
        return;
    const int id = ShowFragmentMenu(event->globalPos());
    if (id != 0)
        CmdFragment(id);
}

} // namespace dravo
