// The contract journal through the program, as a user keeps it: the sample contract registered
// twice with different counterparties, the journal page opened, filtered by counterparty, a
// registered document opened from its number and a card from its date, the journal's columns and
// fonts changed, and a formatting style applied to the contract. With DRAVO_SHOTS set to a folder
// (and a real X display) the journal page and the card are left there as screenshots.
#include "apptest.h"
#include "widgets.h"

#include "app/childframe.h"
#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "core/text.h"
#include "refdata/document_database.h"
#include "refdata/journal.h"
#include "refdata/registration.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QProcess>
#include <QSpinBox>

using namespace dravo;

namespace {

void Shot(const QString &name) {
    apptest::ScreenShot(name, 600);
}

using apptest::Child;

std::string W(const char *utf8) {
    return FromUtf8(utf8);
}

} // namespace

class JournalDraftingTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    CHolderView *m_contract = nullptr;
    CHolderView *m_journal = nullptr;
    int m_romashka = -1;
    int m_petrov = -1;

    static QString Text(CHolderView *view) {
        return apptest::RunJs(view, QStringLiteral("document.body.innerText")).toString();
    }

    // Runs a command on the view's window and waits for the view's rebuilt page.
    static bool CommandAndReload(CMainFrame &frame, CHolderView *view, int id) {
        frame.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(view->parentWidget()));
        QSignalSpy loaded(view, &CHolderView::pageLoaded);
        frame.OnCommand(id);
        return loaded.wait(20000) && loaded.last().first().toBool();
    }

    static bool Click(CHolderView *view, const QString &selector) {
        return apptest::RunJs(view, QStringLiteral("(function(){var a=document.querySelector("
                                                   "\"%1\");if(!a)return false;a.click();"
                                                   "return true;})()")
                                        .arg(selector))
            .toBool();
    }

    void RegisterWith(int party, const QString &responsible) {
        m_contract->GetDocument()->SetCounterpartyId(party);
        QString title, counterparty;
        DialogSeam::setNextScript([&](QDialog &dialog) {
            title = dialog.windowTitle();
            counterparty = Child<QLineEdit>(dialog, "Kontragent")->text();
            Child<QLineEdit>(dialog, "Otv")->setText(responsible);
            if (party == m_romashka)
                Shot(QStringLiteral("journal-01-registration-card"));
            dialog.accept();
        });
        QVERIFY(CommandAndReload(*m_frame, m_contract, ID_REGISTER));
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QCOMPARE(title, QStringLiteral("   Регистрация документа"));
        QVERIFY2(counterparty.startsWith(party == m_romashka ? QStringLiteral("ООО Ромашка")
                                                             : QStringLiteral("Петров")),
                 qPrintable(counterparty));
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        apptest::FreshDataFolder(m_dir.path());
        m_frame = std::make_unique<CMainFrame>();
        m_frame->resize(1200, 860);
        m_frame->show();
        m_contract = m_frame->OpenDocument(apptest::SampleTemplate());
        QVERIFY(m_contract);
        QVERIFY(apptest::WaitForPage(m_contract));
        refdata::DocumentDatabase *db = m_contract->GetDocument()->Database();
        QVERIFY(db);
        m_romashka = db->Parties()
                         .AddParty(refdata::PartyKind::Organisation,
                                   {{"Form", W("ООО")}, {"Name", W("Ромашка")}})
                         .value_or(-1);
        m_petrov = db->Parties()
                       .AddParty(refdata::PartyKind::Citizen,
                                 {{"Form", W("Пётр Ильич")}, {"Name", W("Петров")}})
                       .value_or(-1);
        QVERIFY(m_romashka > 0 && m_petrov > 0);
        MessageBox::takeMessages();
    }

    void cleanupTestCase() { m_frame.reset(); }

    void registerTheContractTwice() {
        RegisterWith(m_romashka, QStringLiteral("Иванов"));
        RegisterWith(m_petrov, QStringLiteral("Сидорова"));
        QCOMPARE(MessageBox::takeMessages(), QStringList{});
        // The document took the next free number each time.
        QCOMPARE(m_contract->GetDocument()->m_nNumber, 3);
    }

    void openTheJournal() {
        m_frame->OnCommand(ID_JOURNAL);
        m_journal = m_frame->ActiveView();
        QVERIFY(m_journal && m_journal->GetDocument()->IsJournalPage());
        QVERIFY(apptest::WaitForPage(m_journal));
        QCOMPARE(m_journal->GetDocument()->Title(), QStringLiteral("Журнал документов"));
        const QString page = Text(m_journal);
        QVERIFY2(page.contains(QStringLiteral("ООО Ромашка")), qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("Петров Пётр Ильич")));
        QVERIFY(page.contains(QStringLiteral("Всего документов: 2")));
        Shot(QStringLiteral("journal-02-page"));
        // The command again only brings the same window forward.
        m_frame->OnCommand(ID_JOURNAL);
        QCOMPARE(m_frame->ActiveView(), m_journal);
    }

    void filterByCounterparty() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("   Параметы журнала"));
            Child<QLineEdit>(dialog, "filter1")->setText(QStringLiteral("ООО Ромашка"));
            dialog.accept();
        });
        QVERIFY(CommandAndReload(*m_frame, m_journal, ID_SETUP_DATA)); // F3 on the journal
        const QString page = Text(m_journal);
        QVERIFY2(page.contains(QStringLiteral("ООО Ромашка")), qPrintable(page));
        QVERIFY(!page.contains(QStringLiteral("Петров")));
        QVERIFY(page.contains(QStringLiteral("Всего документов: 1")));
    }

    void openARegisteredDocumentFromItsNumber() {
        const int before = m_frame->Frames().size();
        QVERIFY(Click(m_journal, QStringLiteral("a[onclick*='Direc(']")));
        QTRY_COMPARE_WITH_TIMEOUT(m_frame->Frames().size(), before + 1, 10000);
        CHolderView *registered = m_frame->ActiveView();
        QCOMPARE(registered->GetDocument()->Kind(), int(RegisteredDocument));
        QVERIFY(registered->GetDocument()->ReadOnly());
        QVERIFY(registered->GetDocument()->Title().startsWith(QStringLiteral("Журнал: ")));
        QVERIFY(apptest::WaitForPage(registered));
        QVERIFY(Text(registered).contains(QStringLiteral("Ромашка")));
        m_frame->MdiArea()->setActiveSubWindow(
            qobject_cast<QMdiSubWindow *>(registered->parentWidget()));
        m_frame->MdiArea()->closeActiveSubWindow();
        QTRY_COMPARE(m_frame->Frames().size(), before);
    }

    void editACardFromItsDate() {
        QString title;
        DialogSeam::setNextScript([&](QDialog &dialog) {
            title = dialog.windowTitle();
            Child<QLineEdit>(dialog, "Otv")->setText(QStringLiteral("Кузнецов"));
            Shot(QStringLiteral("journal-03-card"));
            dialog.accept();
        });
        QSignalSpy loaded(m_journal, &CHolderView::pageLoaded);
        QVERIFY(Click(m_journal, QStringLiteral("a[onclick*='CardKontr(']")));
        QVERIFY(loaded.wait(20000));
        QCOMPARE(title, QStringLiteral("   Карточка документа"));
        QVERIFY2(Text(m_journal).contains(QStringLiteral("Кузнецов")), qPrintable(Text(m_journal)));
    }

    void changeTheColumnsAndFonts() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            Child<QCheckBox>(dialog, "shown2")->setChecked(false); // the subject
            Child<QLineEdit>(dialog, "filter1")->clear();
            dialog.accept();
        });
        QVERIFY(CommandAndReload(*m_frame, m_journal, ID_JOURNAL_PARAMETERS));
        QString page = Text(m_journal);
        QVERIFY(!page.contains(QStringLiteral("Предмет договора")));
        QVERIFY(page.contains(QStringLiteral("Всего документов: 2")));

        DialogSeam::setNextScript([](QDialog &dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("   Шрифты журнала"));
            QVERIFY(!dialog.findChild<QSpinBox *>(QStringLiteral("size3")));
            Child<QSpinBox>(dialog, "size4")->setValue(12);
            Child<QComboBox>(dialog, "style4")->setCurrentIndex(2);
            dialog.accept();
        });
        QVERIFY(CommandAndReload(*m_frame, m_journal, ID_FONT));
        const CPun &table = m_journal->GetDocument()->Body().Paragraph(ParClauseText);
        QCOMPARE(table.m_nFontSize, 12);
        QCOMPARE(table.m_nBold, 2);
        QVERIFY(m_journal->PageText().contains("font-size:17px; font-weight:700"));
    }

    void applyAStyleToTheContract() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("   Стили форматирования"));
            auto *list = Child<QListWidget>(dialog, "styles");
            QVERIFY(list->count() >= 2);
            list->setCurrentRow(1); // "Строгий": Liberation Serif 12
            dialog.accept();
        });
        const std::uint16_t clause =
            m_contract->GetDocument()->Body().Paragraph(ParClauseText).m_nFontSize;
        const std::uint16_t title =
            m_contract->GetDocument()->Body().Paragraph(ParTitle).m_nFontSize;
        QVERIFY(CommandAndReload(*m_frame, m_contract, ID_STYLES));
        const CBody &body = m_contract->GetDocument()->Body();
        QCOMPARE(QString::fromStdString(body.Paragraph(ParClauseText).m_strFont),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(body.Paragraph(ParClauseText).m_nFontSize, 12);
        QCOMPARE(int(body.Paragraph(ParTitle).m_nFontSize), title - clause + 12);
        QCOMPARE(body.Paragraph(ParReqText).m_dWidth, 320.0);
        QVERIFY(m_contract->GetDocument()->Modified());
    }

    void closingTheJournalKeepsItsFonts() {
        m_frame->MdiArea()->setActiveSubWindow(
            qobject_cast<QMdiSubWindow *>(m_journal->parentWidget()));
        m_frame->MdiArea()->closeActiveSubWindow();
        QTRY_VERIFY(!m_frame->Frames().isEmpty() &&
                    !m_frame->ActiveView()->GetDocument()->IsJournalPage());
        StyleFile file;
        std::string error;
        QVERIFY(LoadStyleFile(Roots::DataFile(QStringLiteral("stl.dat")).toStdString(), file, error,
                              JournalFileMissingMessage()));
        QCOMPARE(file.records[kJournalRecord].Paragraph(ParClauseText).m_nFontSize, 12);
        QCOMPARE(file.records[kJournalRecord].m_parVariables.m_arItems[2].m_nCheck, 0);
    }

    // A journal longer than one block of rows prints every row, those never scrolled to included,
    // under the table's header on every page.
    void aLongJournalPrintsEveryRow() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        refdata::DocumentDatabase *db = m_contract->GetDocument()->Database();
        refdata::JournalStore store(db->Connection());
        QVERIFY(db->Connection().Begin());
        textgen::CardFields card;
        card.name = W("Договор аренды");
        card.kontragent = W("ООО Ромашка");
        for (int i = 0; i < 250; ++i) {
            card.number = QStringLiteral("P%1").arg(1000 + i).toStdString();
            card.date = DateFromCalendar(QDate::currentDate().year(), 1, 1);
            QVERIFY(refdata::RegisterDocument(store, card, {"<p>x</p>", {}, {}}, nullptr));
        }
        QVERIFY(db->Connection().Commit());
        m_frame->OnCommand(ID_JOURNAL);
        CHolderView *journal = m_frame->ActiveView();
        QVERIFY(apptest::WaitForPage(journal, 30000));
        const QString pdf = m_dir.filePath(QStringLiteral("journal.pdf"));
        QSignalSpy printed(journal->page(), &QWebEnginePage::pdfPrintingFinished);
        journal->page()->printToPdf(pdf);
        QVERIFY(printed.wait(60000));
        QVERIFY(printed.first().at(1).toBool());
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString shown = QString::fromUtf8(text.readAllStandardOutput());
        for (int i = 0; i < 250; ++i)
            QVERIFY2(shown.contains(QStringLiteral("P%1").arg(1000 + i)),
                     qPrintable(QString::number(i)));
        QVERIFY(shown.contains(QStringLiteral("Всего документов: 252")));
        // One table again on paper: its header heads every page.
        QVERIFY(shown.count(QLatin1Char('\f')) >= 3);
        QCOMPARE(shown.count(QStringLiteral("Ответственный")), shown.count(QLatin1Char('\f')));
        m_frame->MdiArea()->setActiveSubWindow(
            qobject_cast<QMdiSubWindow *>(journal->parentWidget()));
        m_frame->MdiArea()->closeActiveSubWindow();
        QTRY_VERIFY(!m_frame->ActiveView()->GetDocument()->IsJournalPage());
    }

    // A journal of 10,000 rows opens and is painted within the second the figures ask for; the
    // check allows for a loaded test machine and prints the time taken.
    void aJournalOfTenThousandRowsOpensQuickly() {
        refdata::DocumentDatabase *db = m_contract->GetDocument()->Database();
        refdata::JournalStore store(db->Connection());
        QVERIFY(db->Connection().Begin());
        textgen::CardFields card;
        card.name = W("Договор поставки");
        card.kontragent = W("ООО Ромашка");
        card.price = "1000";
        for (int i = 0; i < 10000; ++i) {
            card.number = std::to_string(100 + i);
            card.date = DateFromCalendar(QDate::currentDate().year(), 1 + i % 12, 1 + i % 28);
            QVERIFY(refdata::RegisterDocument(store, card, {"<p>x</p>", {}, {}}, nullptr));
        }
        QVERIFY(db->Connection().Commit());
        QElapsedTimer clock;
        clock.start();
        m_frame->OnCommand(ID_JOURNAL);
        CHolderView *journal = m_frame->ActiveView();
        QVERIFY(journal->GetDocument()->IsJournalPage());
        QVERIFY(apptest::WaitForPage(journal, 30000));
        // Laid out: the script reads the page's height, which lays out the whole table.
        QVERIFY(apptest::RunJs(journal,
                               QStringLiteral("(function(){return document.body.offsetHeight > 0 "
                                              "? document.querySelectorAll('tr').length : 0;})()"))
                    .toInt() > 10000);
        const qint64 ms = clock.elapsed();
        qInfo("journal of 10,000 rows: load to painted %lld ms", ms);
        QVERIFY2(ms < 15000, qPrintable(QString::number(ms)));
        Shot(QStringLiteral("journal-04-ten-thousand-rows"));
        // Far down the journal the rows are laid out as they come into the window, and their
        // number and date cells still open the document and its card.
        const QString lastNumber =
            apptest::RunJs(journal, QStringLiteral("(function(){var r=document.querySelectorAll("
                                                   "'tr');r=r[r.length-1];r.scrollIntoView();"
                                                   "return r.cells[0].innerText.trim();})()"))
                .toString();
        QVERIFY(!lastNumber.isEmpty());
        Shot(QStringLiteral("journal-05-ten-thousand-rows-end"));
        QString number;
        DialogSeam::setNextScript([&](QDialog &dialog) {
            number = Child<QLineEdit>(dialog, "NumberS")->text();
            dialog.reject();
        });
        QVERIFY(apptest::RunJs(journal, QStringLiteral("(function(){var r=document."
                                                       "querySelectorAll('tr');r[r.length-1]."
                                                       "querySelector(\"a[onclick*='CardKontr(']"
                                                       "\").click();return true;})()"))
                    .toBool());
        QTRY_COMPARE_WITH_TIMEOUT(number, lastNumber, 10000);
    }
};

DRAVO_APP_TEST_MAIN(JournalDraftingTest)
#include "journal_drafting_test.moc"
