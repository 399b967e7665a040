// Drafting a contract through the program, as a user does it: clicks on the live page open the
// set-up data, the clause editor and the user's requisites; every OK rebuilds the page; the
// result survives saving and reopening. With DRAVO_SHOTS set to a folder (and the test run on a
// real X display) each step leaves a screenshot there.
#include "apptest.h"
#include "widgets.h"

#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/filedialog.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "core/body_io.h"
#include "core/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using namespace dravo;

namespace {

QString Q(std::string_view cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}

using apptest::ScreenShot;

using apptest::Child;

void Press(QDialog &dialog, const char *button) {
    Child<QPushButton>(dialog, button)->click();
}

void SetClause(QDialog &dialog, const QString &name, const QString &text, int kind) {
    Child<QLineEdit>(dialog, "name")->setText(name);
    Child<QPlainTextEdit>(dialog, "text")->setPlainText(text);
    Child<QComboBox>(dialog, "kind")->setCurrentIndex(kind);
}

} // namespace

class DraftingTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    CHolderView *m_view = nullptr;

    QString PageText() {
        return apptest::RunJs(m_view, QStringLiteral("document.body.innerText")).toString();
    }

    // Clicks the page's element through its own onclick and waits for the rebuilt page.
    bool ClickAndReload(const QString &selector, bool last = false) {
        QSignalSpy loaded(m_view, &CHolderView::pageLoaded);
        const QString script =
            QStringLiteral("(function(){var a=document.querySelectorAll(\"%1\");"
                           "if(!a.length)return false;a[%2].click();return true;})()")
                .arg(selector, last ? QStringLiteral("a.length-1") : QStringLiteral("0"));
        if (!apptest::RunJs(m_view, script).toBool())
            return false;
        return loaded.wait(20000) && loaded.last().first().toBool();
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        apptest::FreshDataFolder(m_dir.path());
        m_frame = std::make_unique<CMainFrame>();
        m_frame->resize(1200, 860);
        m_frame->show();
        m_view = m_frame->NewDocument();
        QVERIFY(m_view);
        QVERIFY(apptest::WaitForPage(m_view));
        MessageBox::takeMessages();
        ScreenShot(QStringLiteral("01-new-template"));
    }

    void cleanupTestCase() { m_frame.reset(); }

    void userRequisitesFromTheirBlock() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            Child<QLineEdit>(dialog, "field0")->setText(QStringLiteral("ООО «Ромашка»"));
            Child<QLineEdit>(dialog, "field12")->setText(QStringLiteral("г. Тверь"));
            ScreenShot(QStringLiteral("02-user-requisites"));
            dialog.accept();
        });
        QVERIFY(ClickAndReload(QStringLiteral("a[onclick*='DirRekv(1)']")));
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QVERIFY2(PageText().contains(QStringLiteral("ООО «Ромашка»")), qPrintable(PageText()));
        // The requisites live in their own file: the document is not marked modified.
        QVERIFY(!m_view->GetDocument()->Modified());
    }

    void titleBecomesAnAgreement() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            Child<QLineEdit>(dialog, "title")->setText(QStringLiteral("СОГЛАШЕНИЕ"));
            Child<QLineEdit>(dialog, "subtitle")->setText(QStringLiteral("о поставке"));
            Child<QLineEdit>(dialog, "number")->setText(QStringLiteral("17/2026"));
            Child<QLineEdit>(dialog, "name1")->setText(QStringLiteral("Поставщик"));
            Child<QLineEdit>(dialog, "name2")->setText(QStringLiteral("Покупатель"));
            ScreenShot(QStringLiteral("03-setup-title"));
            dialog.accept();
        });
        QVERIFY(ClickAndReload(QStringLiteral("div.capdoc a")));
        const QString page = PageText();
        QVERIFY2(page.contains(QStringLiteral("СОГЛАШЕНИЕ")), qPrintable(page.left(400)));
        QVERIFY2(page.contains(QStringLiteral("заключили настоящее соглашение о нижеследующем:")),
                 qPrintable(page.left(1200)));
        QVERIFY(page.contains(QStringLiteral("ООО «Ромашка», \"Поставщик\"")));
        QVERIFY(m_view->GetDocument()->Modified());
        QCOMPARE(m_view->GetDocument()->m_nNumber, 17);
        ScreenShot(QStringLiteral("04-page-agreement"));
    }

    void addAnArticleWithTwoClauses() {
        const std::size_t articlesBefore = m_view->GetDocument()->Body().ArticleCount();
        DialogSeam::setNextScript([](QDialog &dialog) {
            Press(dialog, "add"); // a new article after the clicked one
            SetClause(dialog, QStringLiteral("Форс-мажор"),
                      QStringLiteral("ОБСТОЯТЕЛЬСТВА НЕПРЕОДОЛИМОЙ СИЛЫ"), 1);
            Press(dialog, "level"); // to its first clause
            SetClause(
                dialog, QStringLiteral("Освобождение"),
                QStringLiteral("Стороны освобождаются от ответственности за неисполнение "
                               "обязательств, вызванное обстоятельствами непреодолимой силы."),
                3);
            Child<QCheckBox>(dialog, "clauseCheck")->setChecked(true);
            Press(dialog, "add");
            SetClause(dialog, QStringLiteral("Уведомление"),
                      QStringLiteral("Сторона, для которой наступили такие обстоятельства, "
                                     "извещает о них другую сторону в течение пяти дней."),
                      3);
            Child<QCheckBox>(dialog, "clauseCheck")->setChecked(true);
            ScreenShot(QStringLiteral("05-clause-editor"));
            Press(dialog, "ok");
        });
        QVERIFY(ClickAndReload(QStringLiteral("div.capart a"), true));
        const CBody &body = m_view->GetDocument()->Body();
        QCOMPARE(body.ArticleCount(), articlesBefore + 1);
        const CPar &added = body.Article(std::uint16_t(body.ArticleCount() - 1));
        QCOMPARE(Q(added.m_head.m_strText), QStringLiteral("ОБСТОЯТЕЛЬСТВА НЕПРЕОДОЛИМОЙ СИЛЫ"));
        QCOMPARE(added.m_arItems.size(), std::size_t(2));
        QCOMPARE(added.m_head.m_nCheck, 1); // included because its clauses are
        const QString page = PageText();
        QVERIFY2(page.contains(QStringLiteral("ОБСТОЯТЕЛЬСТВА НЕПРЕОДОЛИМОЙ СИЛЫ")),
                 qPrintable(page.right(800)));
        QVERIFY(page.contains(QStringLiteral("извещает о них другую сторону")));
        ScreenShot(QStringLiteral("06-page-new-article"));
    }

    void renumberTheNewClausesByKind() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            Child<QComboBox>(dialog, "kind")->setCurrentIndex(4); // a marked clause
            Press(dialog, "next");
            Child<QComboBox>(dialog, "kind")->setCurrentIndex(4);
            Press(dialog, "ok");
        });
        // The first clause of the last article.
        const CBody &body = m_view->GetDocument()->Body();
        const int last = int(body.ArticleCount()) - 1;
        QVERIFY(ClickAndReload(
            QStringLiteral("a[onclick*='Bing(%1,0,1)'], a[onclick*='Bing(%1, 0, 1)']").arg(last)));
        QCOMPARE(body.Clause(std::uint16_t(last), 0).m_nType, 4);
        QCOMPARE(body.Clause(std::uint16_t(last), 1).m_nType, 4);
        ScreenShot(QStringLiteral("07-page-renumbered"));
    }

    void swapThePartiesAndHideTheDate() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            dialog.findChild<QWidget *>(QStringLiteral("spinUpper"))
                ->findChild<QToolButton *>()
                ->click();
            Child<QCheckBox>(dialog, "dateShown")->click();
            ScreenShot(QStringLiteral("08-setup-swapped"));
            dialog.accept();
        });
        QVERIFY(ClickAndReload(QStringLiteral("a[onclick*='DirRekv(2)']"), true));
        const CBody &body = m_view->GetDocument()->Body();
        QCOMPARE(body.Paragraph(ParClauseText).m_nType, 2);
        QCOMPARE(body.Paragraph(ParClauseText).m_nCheck, 1);
        QVERIFY(!m_view->GetDocument()->m_bDateShown);
        const QString page = PageText();
        QVERIFY2(page.contains(QStringLiteral("\"____\" __________")), qPrintable(page.left(600)));
        // The counterparty now comes first in the preamble and the user second; each name
        // stays with its position.
        QVERIFY2(page.contains(QStringLiteral("именуемое в дальнейшем \"Поставщик\"")),
                 qPrintable(page.left(600)));
        QVERIFY2(page.contains(QStringLiteral("ООО «Ромашка», \"Покупатель\"")),
                 qPrintable(page.left(600)));
        ScreenShot(QStringLiteral("09-page-swapped-no-date"));
    }

    void menuCommandsOpenTheSameDialogs() {
        QVERIFY(m_frame->CommandEnabled(ID_SETUP_DATA));
        QVERIFY(m_frame->CommandEnabled(ID_USER_REQUISITES));
        // 2003 cancelled: nothing changes, the page is not rebuilt.
        const QString before = PageText();
        DialogSeam::setNextScript([](QDialog &dialog) {
            Child<QLineEdit>(dialog, "field0")->setText(QStringLiteral("не сохранится"));
            dialog.reject();
        });
        m_frame->OnCommand(ID_USER_REQUISITES);
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QCOMPARE(PageText(), before);
        // 2004 (F3): one preamble paragraph per party.
        QSignalSpy loaded(m_view, &CHolderView::pageLoaded);
        DialogSeam::setNextScript([](QDialog &dialog) {
            Child<QCheckBox>(dialog, "splitPreamble")->setChecked(true);
            dialog.accept();
        });
        m_frame->OnCommand(ID_SETUP_DATA);
        QVERIFY(loaded.wait(20000));
        QCOMPARE(m_view->GetDocument()->Body().Paragraph(ParArticleHead).m_nMark, 1);
    }

    void everythingSurvivesSaveAndReopen() {
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("Соглашение.adf"));
        FileDialog::setNextFileName(path);
        QVERIFY(m_frame->SaveDocumentAs(m_view));
        const CBody saved = m_view->GetDocument()->Body();
        CHolderDoc reopened;
        QString error;
        QVERIFY2(reopened.Open(path, &error), qPrintable(error));
        const CBody &body = reopened.Body();
        QCOMPARE(Q(body.Paragraph(ParTitle).m_strText), QStringLiteral("СОГЛАШЕНИЕ"));
        QCOMPARE(Q(body.Paragraph(ParSubtitle).m_strText), QStringLiteral("о поставке"));
        QCOMPARE(body.Paragraph(ParClauseText).m_nType, 2);
        QCOMPARE(body.Paragraph(ParClauseText).m_nCheck, 1);
        QCOMPARE(body.Paragraph(ParClauseText).m_nMark, 3);
        QCOMPARE(body.Paragraph(ParArticleHead).m_nMark, 1);
        QVERIFY(body.m_arArticles == saved.m_arArticles);
        // And in a window of its own.
        CHolderView *view = m_frame->OpenDocument(path);
        QVERIFY(view);
        QVERIFY(apptest::WaitForPage(view));
        m_view = view;
        const QString page = PageText();
        QVERIFY(page.contains(QStringLiteral("заключили настоящее соглашение о нижеследующем:")));
        QVERIFY(page.contains(QStringLiteral("ОБСТОЯТЕЛЬСТВА НЕПРЕОДОЛИМОЙ СИЛЫ")));
        ScreenShot(QStringLiteral("10-reopened"));
    }

    // "Удалить" then "Отмена": the clause is gone from the body, so it goes from the page too,
    // and the document is to be saved.
    void cancelAfterADeleteShowsWhatTheBodyHolds() {
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("Образец.adf"));
        QVERIFY(QFile::copy(apptest::SampleTemplate(), path));
        CHolderView *view = m_frame->OpenDocument(path);
        QVERIFY(apptest::WaitForPage(view));
        CHolderDoc *doc = view->GetDocument();
        QVERIFY(!doc->Modified());
        std::uint16_t article = 0;
        while (article < doc->Body().ArticleCount() && doc->Body().ClauseCount(article) < 2)
            ++article;
        QVERIFY(article < doc->Body().ArticleCount());
        const std::size_t clauses = doc->Body().ClauseCount(article);
        const std::string text = doc->Body().Clause(article, 0).m_strText;
        const QByteArray deleted = QByteArray::fromStdString(text.substr(0, 40));
        QVERIFY2(!deleted.isEmpty() && view->PageText().contains(deleted), deleted.constData());
        MessageBox::setNextAnswer(MessageBox::Yes); // "Удалить пункт?"
        DialogSeam::setNextScript([](QDialog &dialog) {
            Press(dialog, "delete");
            Press(dialog, "cancel");
        });
        QSignalSpy loaded(view, &CHolderView::pageLoaded);
        view->OnBing(article, 0, 1);
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QCOMPARE(doc->Body().ClauseCount(article), clauses - 1);
        QVERIFY(doc->Modified());
        QVERIFY(loaded.wait(10000));
        QVERIFY(!view->PageText().contains(deleted));
        doc->SetModified(false);
        QVERIFY(view->parentWidget()->close());
    }
};

DRAVO_APP_TEST_MAIN(DraftingTest)
#include "dialogs_drafting_test.moc"
