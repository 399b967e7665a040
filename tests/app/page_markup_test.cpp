// A template whose texts hold markup that would call the program as the page loads: opened in the
// real window, its page shows the text and the formatting, and nothing in it reaches the program.
#include "apptest.h"

#include "app/mainframe.h"
#include "core/body_io.h"
#include "core/defaults.h"
#include "core/text.h"

using namespace dravo;

class PageMarkupTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        apptest::FreshDataFolder(m_dir.path());
        m_frame = std::make_unique<CMainFrame>();
        m_frame->resize(1000, 800);
        m_frame->show();
    }

    void cleanupTestCase() { m_frame.reset(); }

    void markupThatRunsIsDroppedFromTheLivePage() {
        // Each piece calls the program on its own when the page loads, if it is let through.
        const std::string attack =
            FromUtf8("<script>window.external.Direc(71)</script>"
                     "<img src=\"nothing.png\" onerror=\"window.external.Direc(72)\">"
                     "<svg onload=\"window.external.Direc(73)\"></svg>"
                     "<iframe src=\"javascript:parent.external.Direc(74)\"></iframe>"
                     "<body onload=\"window.external.Direc(75)\">"
                     "<scr<script>ipt>window.external.Direc(76)</script>"
                     "<b title=\"{опасная}\">опасная</b>");
        CBody body;
        FillNewTemplate(body, "г. Москва"_w);
        body.Paragraph(ParTitle).m_strText = std::string("ДОГОВОР <U>поставки</U>"_w) + attack;
        body.Paragraph(ParSubtitle).m_strText = attack;
        CPun clause;
        clause.m_nCheck = 1;
        clause.m_strText = std::string("Пункт с <B>жирным</B> словом и {переменная}"_w) + attack;
        body.m_arArticles.at(0).m_arItems.push_back(clause);
        CPun variable;
        variable.m_strName = std::string("переменная"_w);
        variable.m_strText = std::string("значение"_w) + attack;
        body.m_parVariables.m_arItems.push_back(variable);
        variable.m_strName = std::string("опасная"_w);
        variable.m_strText = "\" onmouseover=\"window.external.Direc(77)\" x=\"";
        body.m_parVariables.m_arItems.push_back(variable);
        const QString path = m_dir.filePath(QStringLiteral("markup.adf"));
        std::string error;
        QVERIFY2(SaveBodyFile(path.toStdString(), body, error), error.c_str());

        CHolderView *view = m_frame->OpenDocument(path);
        QVERIFY(view);
        QSignalSpy calls(view, &CHolderView::externalCalled);
        QVERIFY(apptest::WaitForPage(view));
        // Time for images to fail and frames to load.
        QTest::qWait(1500);
        apptest::RunJs(view, QStringLiteral("document.querySelector('b[title]') && "
                                            "document.querySelector('b[title]').dispatchEvent("
                                            "new MouseEvent('mouseover', {bubbles: true}))"));
        QTest::qWait(300);
        QString reached;
        for (const QList<QVariant> &call : calls) {
            reached += call.at(0).toString() + QLatin1Char('(');
            for (const int a : call.at(1).value<QList<int>>())
                reached += QString::number(a);
            reached += QLatin1String(") ");
        }
        QVERIFY2(calls.isEmpty(), qPrintable(reached));

        // The text and the formatting are there, and the program's own regions still call it.
        const QString text =
            apptest::RunJs(view, QStringLiteral("document.body.innerText")).toString();
        QVERIFY2(text.contains(QStringLiteral("значение")), qPrintable(text.left(300)));
        const auto count = [&](const char *selector) {
            return apptest::RunJs(view, QStringLiteral("document.querySelectorAll('%1').length")
                                            .arg(QLatin1String(selector)))
                .toInt();
        };
        QVERIFY(count("b") > 0);
        QVERIFY(count("u") > 0);
        // No element from the template that runs or loads, no handler but the program's own.
        const QString found =
            apptest::RunJs(
                view,
                QStringLiteral(
                    "(function(){var bad=[];document.querySelectorAll('*').forEach(function(e){"
                    "if(/^(SCRIPT|IFRAME|SVG|OBJECT|EMBED)$/i.test(e.tagName)&&"
                    "/Direc\\(7/.test(e.outerHTML))bad.push(e.tagName);"
                    "for(var i=0;i<e.attributes.length;i++){var a=e.attributes[i];"
                    "if(/^on/i.test(a.name)&&!/^window\\.external\\.(DirRekv|Bing)\\(/"
                    ".test(a.value))bad.push(e.tagName+'.'+a.name);}});"
                    "return bad.join(',');})()"))
                .toString();
        QVERIFY2(found.isEmpty(), qPrintable(found));
        apptest::RunJs(view, QStringLiteral("window.external.Direc(70)"));
        QVERIFY(!calls.isEmpty() || calls.wait(5000));
        QCOMPARE(calls.first().at(1).value<QList<int>>(), QList<int>{70});
        MessageBox::takeMessages();
    }
};

DRAVO_APP_TEST_MAIN(PageMarkupTest)
#include "page_markup_test.moc"
