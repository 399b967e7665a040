// Drafting a contract's parties and subject through the program, as a user does it: the
// counterparty (an organisation with its bank) and the third party (a citizen) are added to the
// directory and chosen, the subject is filled from the catalogue and by hand and shown as a
// table, and the page reads as a finished contract. With DRAVO_SHOTS set to a folder (and the test
// run on a real X display) each step leaves a screenshot there.
#include "apptest.h"
#include "widgets.h"

#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "core/text.h"
#include "refdata/document_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>

using namespace dravo;

namespace {

void Shot(const QString &name) {
    const QString folder = qEnvironmentVariable("DRAVO_SHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(400);
    QGuiApplication::primaryScreen()->grabWindow(0).save(
        QDir(folder).filePath(name + QStringLiteral(".png")));
}

using apptest::Child;

void Press(QDialog &dialog, const char *button) {
    Child<QPushButton>(dialog, button)->click();
}

void Fill(QDialog &dialog, std::initializer_list<std::pair<const char *, QString>> fields) {
    for (const auto &[name, text] : fields)
        Child<QLineEdit>(dialog, name)->setText(text);
}

// Types into a field as the keyboard does (the limits react to typing).
void Type(QDialog &dialog, const char *name, const QString &text) {
    QLineEdit *edit = Child<QLineEdit>(dialog, name);
    edit->setText(text);
    emit edit->textEdited(text);
}

// A catalogue item added in "   Выбор имущества" and chosen.
void AddCatalogueItem(const QString &name, const QString &unit, const QString &price) {
    DialogSeam::setNextScript([](QDialog &catalogue) {
        QCOMPARE(catalogue.windowTitle(), QStringLiteral("   Выбор имущества"));
        Press(catalogue, "add"); // the new item comes up chosen
        Press(catalogue, "ok");
    });
    DialogSeam::setNextScript([=](QDialog &item) {
        QCOMPARE(item.windowTitle(), QStringLiteral("   Сведения об имуществе"));
        Fill(item, {{"Name", name}, {"Edizm", unit}, {"Price2", price}});
        Press(item, "ok");
    });
}

} // namespace

class PartiesTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    CHolderView *m_view = nullptr;

    // The page's text with its no-break spaces read as blanks.
    QString PageText() {
        return apptest::RunJs(m_view, QStringLiteral("document.body.innerText"))
            .toString()
            .replace(QChar(0xA0), QLatin1Char(' '));
    }

    bool ClickAndReload(const QString &selector) {
        QSignalSpy loaded(m_view, &CHolderView::pageLoaded);
        const QString script = QStringLiteral("(function(){var a=document.querySelector(\"%1\");"
                                              "if(!a)return false;a.click();return true;})()")
                                   .arg(selector);
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
        m_view = m_frame->OpenDocument(apptest::SampleTemplate());
        QVERIFY(m_view);
        QVERIFY(apptest::WaitForPage(m_view));
        QVERIFY(m_view->GetDocument()->Database());
        MessageBox::takeMessages();
    }

    void cleanupTestCase() { m_frame.reset(); }

    void userRequisitesWithTheirBank() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            Child<QLineEdit>(dialog, "field0")->setText(QStringLiteral("ООО «Ромашка»"));
            Child<QLineEdit>(dialog, "field5")
                ->setText(QStringLiteral("р/с 40702810200000012345 в ПАО «Банк», БИК 044525225"));
            dialog.accept();
        });
        QVERIFY(ClickAndReload(QStringLiteral("a[onclick*='DirRekv(1)']")));
    }

    void thirdPartyJoinsTheContract() {
        DialogSeam::setNextScript([](QDialog &dialog) {
            Child<QCheckBox>(dialog, "thirdParty")->click();
            Child<QLineEdit>(dialog, "name3")->setText(QStringLiteral("Поручитель"));
            dialog.accept();
        });
        QVERIFY(ClickAndReload(QStringLiteral("a[onclick*='DirRekv(2)']")));
        QVERIFY(PageText().contains(QStringLiteral("Поручитель")));
    }

    // The counterparty's requisites clicked before one is chosen: the question, then the choice.
    void chooseBothPartiesFromAnEmptyDirectory() {
        MessageBox::setNextAnswer(MessageBox::Yes);
        // The choice: add an organisation, then switch to the third party and add a citizen.
        DialogSeam::setNextScript([](QDialog &choice) {
            QCOMPARE(choice.windowTitle(), QStringLiteral("   Покупатель"));
            QVERIFY(Child<QPushButton>(choice, "next")->isVisible());
            Press(choice, "add");
            QCOMPARE(Child<QListView>(choice, "list")->model()->rowCount(), 1);
            Shot(QStringLiteral("parties-03-choice-counterparty"));
            Press(choice, "next");
            QCOMPARE(choice.windowTitle(), QStringLiteral("   Поручитель"));
            QCOMPARE(Child<QPushButton>(choice, "next")->text(), QStringLiteral("Предыдущий"));
            Press(choice, "add");
            Shot(QStringLiteral("parties-06-choice-third-party"));
            Press(choice, "ok");
        });
        DialogSeam::setNextScript([](QDialog &kind) {
            QCOMPARE(kind.windowTitle(), QStringLiteral("   Выбор типа контрагента"));
            Press(kind, "organisation");
        });
        DialogSeam::setNextScript([](QDialog &card) {
            QCOMPARE(card.windowTitle(), QStringLiteral("   Реквизиты контрагента"));
            Fill(card, {{"Form", QStringLiteral("ООО")},
                        {"Name", QStringLiteral("Альфа-Строй")},
                        {"City", QStringLiteral("170100, г. Тверь")},
                        {"Address", QStringLiteral("ул. Советская, д. 5")},
                        {"Family", QStringLiteral("Петров")},
                        {"IO", QStringLiteral("Сергей Иванович")},
                        {"Dolgn", QStringLiteral("генеральный директор")},
                        {"INN", QStringLiteral("6901234568")},
                        {"RS", QStringLiteral("40702810263000000001")}});
            // A wrong check digit is pointed out beside the field, and the value may stay.
            QVERIFY(!Child<QLabel>(card, "warn_INN")->isHidden());
            QCOMPARE(Child<QLabel>(card, "warn_INN")->text(),
                     QStringLiteral("Неверное контрольное число ИНН"));
            Press(card, "chooseBank");
            QCOMPARE(Child<QLineEdit>(card, "bank")->text(), QStringLiteral("Тверское отделение"));
            QVERIFY(Child<QLabel>(card, "warn_RS")->isHidden()); // the account fits the bank
            Child<QLineEdit>(card, "INN")->setText(QStringLiteral("7707083893"));
            QVERIFY(Child<QLabel>(card, "warn_INN")->isHidden());
            Shot(QStringLiteral("parties-02-organisation"));
            Press(card, "ok");
        });
        DialogSeam::setNextScript([](QDialog &banks) {
            QCOMPARE(banks.windowTitle(), QStringLiteral("   Выбор банка"));
            QVERIFY(!Child<QPushButton>(banks, "edit")->isEnabled()); // an empty list
            Press(banks, "add");
            Shot(QStringLiteral("parties-01-bank-choice"));
            Press(banks, "ok");
        });
        DialogSeam::setNextScript([](QDialog &bank) {
            QCOMPARE(bank.windowTitle(), QStringLiteral("   Реквизиты банка"));
            Fill(bank, {{"NameB", QStringLiteral("Тверское отделение")},
                        {"BIK", QStringLiteral("042809679")},
                        {"KS", QStringLiteral("30101810700000000678")},
                        {"AddressB", QStringLiteral("г. Тверь")}});
            QCOMPARE(Child<QLabel>(bank, "warn_KS")->text(),
                     QStringLiteral("Корр. счет не соответствует БИК банка"));
            Child<QLineEdit>(bank, "KS")->setText(QStringLiteral("30101810700000000679"));
            QVERIFY(Child<QLabel>(bank, "warn_KS")->isHidden());
            Press(bank, "ok");
        });
        DialogSeam::setNextScript([](QDialog &kind) { Press(kind, "citizen"); });
        DialogSeam::setNextScript([](QDialog &card) {
            QCOMPARE(card.windowTitle(), QStringLiteral("   Данные гражданина"));
            Fill(card, {{"Name", QStringLiteral("Сидоров")},
                        {"Form", QStringLiteral("Иван Петрович")},
                        {"City", QStringLiteral("г. Тверь")},
                        {"Address", QStringLiteral("ул. Новая, д. 1, кв. 2")},
                        {"INN", QStringLiteral("2804")},
                        {"OKPO", QStringLiteral("123456")},
                        {"Family", QStringLiteral("УВД г. Твери")}});
            Shot(QStringLiteral("parties-05-citizen"));
            Press(card, "ok");
        });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(ClickAndReload(QStringLiteral("a[onclick*='DirRekv(6)']")));
        qInfo("choice and forms to the new page: %lld ms", clock.elapsed());
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        CHolderDoc *doc = m_view->GetDocument();
        QVERIFY(doc->Modified());
        QVERIFY(doc->CounterpartyId() > 0);
        QVERIFY(doc->ThirdPartyId() > 0);
        const QString page = PageText();
        // The representative declined in the preamble, the citizen by his name.
        QVERIFY2(page.contains(QStringLiteral(
                     "ООО Альфа-Строй, именуемое в дальнейшем \"Покупатель\", в лице "
                     "генерального директора Петрова Сергея Ивановича")),
                 qPrintable(page.left(1500)));
        QVERIFY2(page.contains(QStringLiteral("Сидоров Иван Петрович, именуемый в дальнейшем "
                                              "\"Поручитель\"")),
                 qPrintable(page.left(1500)));
        // The requisites: the user's bank and the counterparty's, the citizen's passport.
        QVERIFY2(page.contains(QStringLiteral("в банке: Тверское отделение")),
                 qPrintable(page.right(1500)));
        QVERIFY2(page.contains(QStringLiteral("БИК: 042809679")), qPrintable(page.right(1500)));
        QVERIFY2(page.contains(QStringLiteral("в ПАО «Банк», БИК 044525225")),
                 qPrintable(page.right(1500)));
        QVERIFY2(page.contains(QStringLiteral("паспорт серии 2804 №123456, выдан УВД г. Твери")),
                 qPrintable(page.right(1500)));
        QVERIFY(MessageBox::takeMessages().contains(
            QStringLiteral("\n Контрагент не определен. Выбрать?")));
        Shot(QStringLiteral("parties-07-page-with-parties"));
    }

    void subjectFromTheCatalogueAndByHand() {
        DialogSeam::setNextScript([](QDialog &form) {
            QCOMPARE(form.windowTitle(), QStringLiteral("   Предмет договора"));
            Press(form, "pick0");
            QCOMPARE(Child<QLineEdit>(form, "price0")->text(), QStringLiteral("12500.00"));
            Type(form, "quantity0", QStringLiteral("4"));
            Press(form, "pick1");
            Type(form, "quantity1", QStringLiteral("2"));
            Type(form, "name2", QStringLiteral("Монтаж мебели"));
            Type(form, "quantity2", QStringLiteral("1"));
            Type(form, "unit2", QStringLiteral("усл."));
            Type(form, "price2", QStringLiteral("1500,50")); // a decimal comma
            // Over the limit: the message, and the price is put back to nothing.
            Type(form, "price1", QStringLiteral("1000000000"));
            QCOMPARE(Child<QLineEdit>(form, "price1")->text(), QStringLiteral("0.00"));
            Type(form, "price1", QStringLiteral("3400"));
            QCOMPARE(Child<QLineEdit>(form, "total")->text(), QStringLiteral("58300.50"));
            Child<QComboBox>(form, "setName")->setEditText(QStringLiteral("Офисная мебель"));
            Child<QCheckBox>(form, "asTable")->setChecked(true);
            Shot(QStringLiteral("parties-09-subject"));
            Press(form, "ok");
        });
        AddCatalogueItem(QStringLiteral("Стол письменный"), QStringLiteral("шт."),
                         QStringLiteral("12 500"));
        AddCatalogueItem(QStringLiteral("Кресло офисное"), QStringLiteral("шт."),
                         QStringLiteral("3400"));
        QVERIFY(ClickAndReload(QStringLiteral("a[onclick*='DirRekv(3)']")));
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QVERIFY(MessageBox::takeMessages().contains(
            QStringLiteral("Цена не должна превышать 999999999.99")));
        const CBody &body = m_view->GetDocument()->Body();
        QCOMPARE(QString::fromStdString(ToUtf8(body.Paragraph(ParReqText).m_strName)),
                 QStringLiteral("Офисная мебель"));
        QCOMPARE(body.Paragraph(ParReqText).m_nType, 1);
        QCOMPARE(apptest::RunJs(m_view, QStringLiteral("document.querySelectorAll('a[onclick*="
                                                       "\"DirRekv(3)\"] tr').length"))
                     .toInt(),
                 4); // the header's row and the three items
        const QString page = PageText();
        QVERIFY2(page.contains(QStringLiteral("Кресло офисное")), qPrintable(page.left(3000)));
        QVERIFY2(page.contains(QStringLiteral("Монтаж мебели")), qPrintable(page.left(3000)));
        QVERIFY2(page.contains(
                     QStringLiteral("составляет 58300.50 (пятьдесят восемь тысяч триста) руб.")),
                 qPrintable(page.left(4000)));
        Shot(QStringLiteral("parties-10-page-with-subject"));
    }

    // F5 again: the two parties come up selected; "Прочерки " blanks the third one.
    void dashesBlankTheThirdParty() {
        const int counterparty = m_view->GetDocument()->CounterpartyId();
        QSignalSpy loaded(m_view, &CHolderView::pageLoaded);
        DialogSeam::setNextScript([](QDialog &choice) {
            QCOMPARE(Child<QListView>(choice, "list")->currentIndex().data().toString(),
                     QStringLiteral("Альфа-Строй, ООО"));
            Press(choice, "next");
            Child<QLineEdit>(choice, "search")->setText(QStringLiteral("сидор"));
            QCOMPARE(Child<QListView>(choice, "list")->model()->rowCount(), 1);
            QCOMPARE(Child<QListView>(choice, "list")->currentIndex().data().toString(),
                     QStringLiteral("Сидоров, Иван Петрович"));
            Child<QCheckBox>(choice, "dashes")->setChecked(true);
            Press(choice, "ok");
        });
        QElapsedTimer clock;
        clock.start();
        m_frame->OnCommand(ID_COUNTERPARTY);
        QVERIFY(loaded.wait(20000));
        qInfo("choice dialog, OK and the page repainted: %lld ms", clock.elapsed());
        QCOMPARE(m_view->GetDocument()->CounterpartyId(), counterparty);
        QCOMPARE(m_view->GetDocument()->ThirdPartyId(), -1);
        QVERIFY(!PageText().contains(QStringLiteral("Сидоров")));
    }

    // A stored file keeps both parties: they come back when it is opened again.
    void storedFileKeepsBothParties() {
        CHolderDoc *doc = m_view->GetDocument();
        doc->SetThirdPartyId(doc->CounterpartyId() + 1);
        const int kind = doc->Kind();
        doc->SetKind(StoredFileDocument);
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("stored.adf"));
        QString error;
        QVERIFY2(doc->Save(path, &error), qPrintable(error));
        doc->SetKind(kind);
        CHolderDoc reopened;
        QVERIFY2(reopened.Open(path, &error), qPrintable(error));
        QCOMPARE(reopened.Kind(), int(StoredFileDocument));
        QCOMPARE(reopened.CounterpartyId(), doc->CounterpartyId());
        QCOMPARE(reopened.ThirdPartyId(), doc->ThirdPartyId());
    }
};

DRAVO_APP_TEST_MAIN(PartiesTest)
#include "dialogs_parties_test.moc"
