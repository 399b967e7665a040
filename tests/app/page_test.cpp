// The live contract page: a template opens and its page loads under the program's scheme, the
// page's own clicks reach the program through window.external, nothing outside the program can
// be loaded, and a refresh keeps the reader's place.
#include "apptest.h"

#include "app/commands.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "app/pageserver.h"
#include "core/text.h"

#include <QMenu>
#include <QPrinter>
#include <QTcpServer>
#include <QWebEngineSettings>
#include <QWidget>

using namespace dravo;

class PageTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    CHolderView *m_view = nullptr;

    // The next call that reaches the view from its page.
    static std::pair<QString, QList<int>> NextCall(QSignalSpy &spy) {
        if (spy.isEmpty() && !spy.wait(10000))
            return {};
        const QList<QVariant> call = spy.takeFirst();
        return {call.at(0).toString(), call.at(1).value<QList<int>>()};
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo::exists(apptest::SampleTemplate()), "the sample template is built");
        apptest::FreshDataFolder(m_dir.path());
        m_frame = std::make_unique<CMainFrame>();
        m_frame->resize(1000, 800);
        m_frame->show();
        m_view = m_frame->OpenDocument(apptest::SampleTemplate());
        QVERIFY(m_view);
        QVERIFY(apptest::WaitForPage(m_view));
        MessageBox::takeMessages();
    }

    void cleanupTestCase() { m_frame.reset(); }

    void templateOpensAndPageLoads() {
        CHolderDoc *doc = m_view->GetDocument();
        QCOMPARE(doc->Kind(), int(TemplateDocument));
        QCOMPARE(doc->Title(), QStringLiteral("Договор купли-продажи"));
        // The page is the renderer's windows-1251 text, and the web view decodes it as such.
        QVERIFY(m_view->PageText().contains(std::string("ДОГОВОР"_w).c_str()));
        const QString body =
            apptest::RunJs(m_view, QStringLiteral("document.body.innerText")).toString();
        QVERIFY2(body.contains(QStringLiteral("ДОГОВОР")), qPrintable(body.left(200)));
        QCOMPARE(m_view->url().scheme(), QString::fromLatin1(kPageScheme));
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("ДРАВО Договор - Договор купли-продажи"));
    }

    void accountAbbreviationsStayWhole() {
        // The blank requisites hold "р/с" and "к/с"; the page shows each with a word joiner after
        // the slash, so that no line ends between "р/" and "с".
        const QString body =
            apptest::RunJs(m_view, QStringLiteral("document.body.textContent")).toString();
        QVERIFY(body.contains(QStringLiteral("р/\u2060с")));
        QVERIFY(body.contains(QStringLiteral("к/\u2060с")));
        QVERIFY(!body.contains(QStringLiteral("р/с")));
        QVERIFY(!body.contains(QStringLiteral("к/с")));
    }

    void clickOnTitleReachesDirRekv2() {
        QSignalSpy calls(m_view, &CHolderView::externalCalled);
        // Where the title lies on the screen, then a real mouse click there.
        const QVariantList rect =
            apptest::RunJs(
                m_view, QStringLiteral("(function(){var a=document.querySelector('div.capdoc a');"
                                       "a.scrollIntoView();var r=a.getBoundingClientRect();"
                                       "return [r.left+r.width/2, r.top+r.height/2];})()"))
                .toList();
        QCOMPARE(rect.size(), 2);
        QWidget *target = m_view->focusProxy() ? m_view->focusProxy() : m_view;
        const QPoint at(int(rect[0].toDouble()), int(rect[1].toDouble()));
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
        const auto [name, args] = NextCall(calls);
        QCOMPARE(name, QStringLiteral("DirRekv"));
        QCOMPARE(args, QList<int>{2});
    }

    void clickOnClauseReachesBing() {
        QSignalSpy calls(m_view, &CHolderView::externalCalled);
        // The third clickable clause of the page, clicked through its own onclick script.
        const QString onclick =
            apptest::RunJs(
                m_view, QStringLiteral(
                            "(function(){var a=document.querySelectorAll(\"a[onclick*='Bing']\");"
                            "var c=[].filter.call(a,function(x){return "
                            "/,1\\)/.test(x.getAttribute('onclick'));});"
                            "c[2].click();return c[2].getAttribute('onclick');})()"))
                .toString();
        QRegularExpression re(QStringLiteral("Bing\\((\\d+),\\s*(\\d+),\\s*(\\d+)\\)"));
        const auto m = re.match(onclick);
        QVERIFY2(m.hasMatch(), qPrintable(onclick));
        const auto [name, args] = NextCall(calls);
        QCOMPARE(name, QStringLiteral("Bing"));
        QCOMPARE(args, (QList<int>{m.captured(1).toInt(), m.captured(2).toInt(), 1}));
    }

    void articleHeadingReachesBingWithMode0() {
        QSignalSpy calls(m_view, &CHolderView::externalCalled);
        apptest::RunJs(m_view, QStringLiteral("document.querySelector('div.capart a').click()"));
        const auto [name, args] = NextCall(calls);
        QCOMPARE(name, QStringLiteral("Bing"));
        QCOMPARE(args.size(), 3);
        QCOMPARE(args[1], 0);
        QCOMPARE(args[2], 0);
    }

    void externalObjectAnswersAsTheProgramDoes_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("args");
        QTest::newRow("DirRekv") << "window.external.DirRekv(5)"
                                 << "DirRekv" << QList<int>{5};
        QTest::newRow("Direc") << "window.external.Direc(17)"
                               << "Direc" << QList<int>{17};
        QTest::newRow("CardKontr") << "window.external.CardKontr(3)"
                                   << "CardKontr" << QList<int>{3};
        QTest::newRow("Bing with strings") << "window.external.Bing('1','2','1')"
                                           << "Bing" << QList<int>{1, 2, 1};
        QTest::newRow("unknown name") << "window.external.Foo(1)"
                                      << "Foo" << QList<int>{};
    }

    void externalObjectAnswersAsTheProgramDoes() {
        QFETCH(QString, script);
        QFETCH(QString, name);
        QFETCH(QList<int>, args);
        QSignalSpy calls(m_view, &CHolderView::externalCalled);
        apptest::RunJs(m_view, script);
        const auto [gotName, gotArgs] = NextCall(calls);
        QCOMPARE(gotName, name);
        QCOMPARE(gotArgs, args);
        const QStringList messages = MessageBox::takeMessages();
        if (name == QLatin1String("Foo"))
            QCOMPARE(messages, QStringList{QStringLiteral(
                                   "Программа не определила реакцию на запрашиваемую команду")});
        else
            QVERIFY(messages.isEmpty());
    }

    void stolbzyReadsTrueAndDoesNothingWhenCalled() {
        QSignalSpy calls(m_view, &CHolderView::externalCalled);
        QCOMPARE(apptest::RunJs(m_view, QStringLiteral("window.external.Stolbzy == true")).toBool(),
                 true);
        QCOMPARE(apptest::RunJs(m_view, QStringLiteral("window.external.Stolbzy() === undefined"))
                     .toBool(),
                 true);
        QTest::qWait(200);
        QVERIFY(calls.isEmpty());
    }

    void counterpartyRequisitesWithoutAPartyAskWhetherToChoose() {
        QSignalSpy requested(m_view, &CHolderView::commandRequested);
        MessageBox::setNextAnswer(MessageBox::Yes);
        m_view->OnDirRekv(6);
        QCOMPARE(MessageBox::takeMessages(),
                 QStringList{QStringLiteral("\n Контрагент не определен. Выбрать?")});
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested.first().first().toInt(), int(ID_COUNTERPARTY));
        MessageBox::setNextAnswer(MessageBox::No);
        m_view->OnDirRekv(7);
        QCOMPARE(requested.size(), 1);
        MessageBox::takeMessages();
    }

    void readOnlyDocumentIgnoresDirRekv() {
        CHolderDoc *doc = m_view->GetDocument();
        doc->SetKind(RegisteredDocument);
        m_view->OnDirRekv(6);
        doc->SetKind(TemplateDocument);
        QVERIFY(MessageBox::takeMessages().isEmpty());
    }

    void pageCannotReachAnythingOutsideTheProgram() {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString address = QStringLiteral("http://127.0.0.1:%1/leak").arg(server.serverPort());
        // A template whose clause carries remote content.
        auto doc = std::make_shared<CHolderDoc>();
        doc->NewTemplate(QStringLiteral("Договор X"));
        doc->Body().Clause(0, 0).m_strText =
            FromUtf8(QStringLiteral("<img src=\"%1\"><iframe src=\"%1\"></iframe>")
                         .arg(address)
                         .toStdString());
        CHolderView view(doc);
        // Take away the engine's own guard, so that the program's request filter is what
        // stands between the page and the network.
        view.page()->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                                              true);
        view.resize(600, 400);
        view.show();
        const int blockedBefore = PageInterceptor()->BlockedCount();
        view.Refresh();
        QVERIFY(apptest::WaitForPage(&view));
        QVERIFY(view.PageText().contains("/leak"));
        apptest::RunJs(&view, QStringLiteral("fetch('%1').catch(function(){});"
                                             "var x=new XMLHttpRequest();x.open('GET','%1');"
                                             "x.send();")
                                  .arg(address));
        QTest::qWait(800);
        QVERIFY(!server.hasPendingConnections());
        QVERIFY(PageInterceptor()->BlockedCount() > blockedBefore);
        QVERIFY(!LocalOnlyInterceptor::Allowed(QUrl(QStringLiteral("https://example.org/"))));
        QVERIFY(!LocalOnlyInterceptor::Allowed(QUrl(QStringLiteral("file:///etc/passwd"))));
        QVERIFY(LocalOnlyInterceptor::Allowed(PageSchemeHandler::PageUrl("1", 1)));
    }

    void refreshKeepsTheScrollPosition() {
        m_view->resize(800, 300);
        apptest::RunJs(m_view, QStringLiteral("window.scrollTo(0, 400)"));
        QTRY_VERIFY_WITH_TIMEOUT(m_view->page()->scrollPosition().y() >= 399, 5000);
        m_view->Refresh();
        QVERIFY(apptest::WaitForPage(m_view));
        QTRY_COMPARE_WITH_TIMEOUT(apptest::RunJs(m_view, QStringLiteral("window.scrollY")).toInt(),
                                  400, 5000);
    }

    void refreshShowsTheChangeAndThePageStaysLive() {
        CHolderDoc *doc = m_view->GetDocument();
        std::string &text = doc->Body().Clause(0, 0).m_strText;
        const std::string saved = text;
        text = FromUtf8("Новый текст первого пункта для проверки");
        QSignalSpy loaded(m_view, &CHolderView::pageLoaded);
        m_view->DocumentChanged(true);
        QVERIFY(loaded.wait(10000));
        QVERIFY(doc->Modified());
        QVERIFY(apptest::RunJs(m_view, QStringLiteral("document.body.innerText"))
                    .toString()
                    .contains(QStringLiteral("Новый текст первого пункта для проверки")));
        // The refreshed page still reaches the program.
        QSignalSpy calls(m_view, &CHolderView::externalCalled);
        apptest::RunJs(m_view, QStringLiteral("document.querySelector('div.capdoc a').click()"));
        const auto [name, args] = NextCall(calls);
        QCOMPARE(name, QStringLiteral("DirRekv"));
        QCOMPARE(args, QList<int>{2});
        text = saved;
        doc->SetModified(false);
        m_view->Refresh();
        QVERIFY(apptest::WaitForPage(m_view));
    }

    // Clause indents are runs of no-break spaces at the head of justified paragraphs: each must
    // keep its own width however much its line is stretched, after a load and after a refresh.
    void indentsKeepTheirWidthOnJustifiedLines() {
        const QString widths = QStringLiteral(
            "[].map.call(document.querySelectorAll('span[style^=\"font-family:Arial;"
            "font-size:8\"]'),function(s){return Math.round(s.getBoundingClientRect().width*10)"
            "+':'+s.textContent.length;})");
        QStringList atLoad;
        auto check = [&](const char *when) {
            const QStringList spans = apptest::RunJs(m_view, widths).toStringList();
            QVERIFY2(spans.size() > 5, when);
            // A refresh in place lays the page out as the load did.
            if (atLoad.isEmpty())
                atLoad = spans;
            QCOMPARE(spans, atLoad);
            // Spans of the same number of spaces have the same width.
            QHash<QString, QSet<QString>> byLength;
            for (const QString &s : spans)
                byLength[s.section(QLatin1Char(':'), 1)] << s.section(QLatin1Char(':'), 0, 0);
            for (auto it = byLength.cbegin(); it != byLength.cend(); ++it)
                QVERIFY2(it.value().size() == 1,
                         qPrintable(QStringLiteral("%1: %2").arg(when, spans.join(' '))));
        };
        check("loaded");
        if (QTest::currentTestFailed())
            return;
        m_view->Refresh();
        QVERIFY(apptest::WaitForPage(m_view));
        check("refreshed in place");
    }

    // The blocks of a template's page show the pointer over them (the page asks for the old
    // "hand" cursor), after a load and after a refresh in place.
    void clickableBlocksShowThePointer() {
        const QString cursors = QStringLiteral(
            "['div.capdoc','div.capart','div.docbody'].map(function(s){"
            "return getComputedStyle(document.querySelector(s)).cursor;}).join(',')");
        QCOMPARE(apptest::RunJs(m_view, cursors).toString(),
                 QStringLiteral("pointer,pointer,pointer"));
        m_view->Refresh();
        QVERIFY(apptest::WaitForPage(m_view));
        QCOMPARE(apptest::RunJs(m_view, cursors).toString(),
                 QStringLiteral("pointer,pointer,pointer"));
    }

    void rightClickShowsTheFragmentMenu() {
        const CBody &body = m_view->GetDocument()->Body();
        QStringList problems;
        int articles = -1;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            poll.stop();
            articles = 0;
            for (QAction *a : menu->actions()) {
                if (a->isSeparator())
                    continue;
                const int i = articles++;
                if (!a->menu() || i >= int(body.ArticleCount())) {
                    problems << QStringLiteral("article %1 has no submenu").arg(i);
                    continue;
                }
                const CPar &article = body.Article(std::uint16_t(i));
                if (a->isChecked() != (article.m_head.m_nCheck != 0))
                    problems << QStringLiteral("article %1 check").arg(i);
                int j = 0;
                for (QAction *c : a->menu()->actions()) {
                    if (c->isSeparator())
                        continue;
                    if (c->data().toInt() != 10000 + i * 256 + j)
                        problems << QStringLiteral("clause %1.%2 id %3")
                                        .arg(i)
                                        .arg(j)
                                        .arg(c->data().toInt());
                    if (c->isChecked() != (article.m_arItems[std::size_t(j)].m_nCheck != 0))
                        problems << QStringLiteral("clause %1.%2 check").arg(i).arg(j);
                    ++j;
                }
                if (j != int(article.m_arItems.size()))
                    problems << QStringLiteral("article %1 has %2 items").arg(i).arg(j);
            }
            menu->close();
        });
        poll.start(30);
        QWidget *target = m_view->focusProxy() ? m_view->focusProxy() : m_view;
        QTest::mouseClick(target, Qt::RightButton, {}, QPoint(100, 100));
        QTRY_VERIFY_WITH_TIMEOUT(articles >= 0, 10000);
        QCOMPARE(articles, int(body.ArticleCount()));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    }

    void printsThePage() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = m_dir.filePath(QStringLiteral("page.pdf"));
        printer.setOutputFileName(pdf);
        QSignalSpy done(m_view, &QWebEngineView::printFinished);
        m_view->print(&printer);
        QVERIFY(done.wait(30000));
        QVERIFY(done.first().first().toBool());
        QVERIFY(QFileInfo(pdf).size() > 1000);
    }

    void highlightToggleRefreshesThePage() {
        QSignalSpy loaded(m_view, &CHolderView::pageLoaded);
        const QByteArray before = m_view->PageText();
        m_frame->OnCommand(ID_HIGHLIGHT);
        QVERIFY(loaded.wait(10000));
        QVERIFY(m_view->PageText() != before);
        m_frame->OnCommand(ID_HIGHLIGHT);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(m_view->PageText(), before);
    }
};

DRAVO_APP_TEST_MAIN(PageTest)
#include "page_test.moc"
