// The journal and formatting dialogs on their own, offscreen: the registration card shows and
// returns every field and refuses what it cannot store, the journal parameters come back as they
// were set (a period whose start is after its end then shows no rows and a count of 0), the card's
// labels are the journal's captions, and the style dialogs keep a style and delete the only one.
#include "apptest.h"

#include "app/dialogs/journal_dialogs.h"
#include "app/dialogs/style_dialogs.h"
#include "core/text.h"
#include "refdata/journal.h"
#include "refdata/registration.h"
#include "refdata/schema.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace dravo;

namespace {

std::string W(const char *utf8) {
    return FromUtf8(utf8);
}

textgen::CardFields FullCard() {
    textgen::CardFields f;
    f.number = W("12а");
    f.date = DateFromCalendar(2026, 3, 5);
    f.name = W("Договор поставки");
    f.kontragent = W("ООО 'Ромашка'");
    f.status = W("покупатель");
    f.predmet = W("Станок токарный");
    f.price = "1 500 000";
    f.dateControl = DateFromCalendar(2026, 12, 31);
    f.formRasch = W("безналичный расчет");
    f.deb = "10";
    f.cred = "20";
    f.otv = W("Иванов И. И.");
    f.nf = W("папка 3");
    return f;
}

std::array<std::string, kJournalColumnCount> Captions() {
    return CardCaptions(textgen::JournalSettings{});
}

} // namespace

class JournalDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    // Every field reaches its own edit and comes back from it (a field wired to another column
    // would swap them in the journal).
    void cardShowsAndReturnsEveryField() {
        textgen::CardFields empty;
        empty.date = DateFromCalendar(2026, 1, 1);
        empty.dateControl = DateFromCalendar(2026, 12, 31);
        for (const textgen::CardFields &f : {FullCard(), empty}) {
            RegistrationCardDialog card(f, false, Captions());
            QCOMPARE(card.windowTitle(), QStringLiteral("   Регистрация документа"));
            QVERIFY(!card.findChild<QPushButton *>(QStringLiteral("delete")));
            QVERIFY(card.Fields() == f);
        }
        // A registered row shows "&nbsp;" as an empty field and keeps its buttons.
        textgen::JournalRow row = textgen::RowFromCard(empty);
        QCOMPARE(row.name, std::string(textgen::kEmptyCell));
        RegistrationCardDialog existing(textgen::CardFromRow(row), true, Captions());
        QCOMPARE(existing.windowTitle(), QStringLiteral("   Карточка документа"));
        QVERIFY(existing.findChild<QPushButton *>(QStringLiteral("delete")));
        QVERIFY(existing.findChild<QLineEdit *>(QStringLiteral("Name"))->text().isEmpty());
    }

    void cardOkStoresOrRefuses_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: stored
        QTest::addColumn<int>("number");
        QTest::newRow("digits then a letter") << "NumberS"
                                              << "12а"
                                              << "" << 12;
        QTest::newRow("number without digits") << "NumberS"
                                               << "б/н"
                                               << "" << 0;
        QTest::newRow("price with kopecks and a currency") << "Price"
                                                           << "1 500,50 руб."
                                                           << "" << 12;
        QTest::newRow("price with letters") << "Price"
                                            << "сто рублей"
                                            << "Цена договора: укажите сумму числом" << 12;
        QTest::newRow("debt with letters") << "Deb"
                                           << "много"
                                           << "Деб. задолженность: укажите сумму числом" << 12;
        QTest::newRow("number of 11 characters") << "NumberS"
                                                 << "12345678901"
                                                 << "Номер документа длиннее 10 знаков" << 0;
        QTest::newRow("a character the code page lacks") << "Otv"
                                                         << "Иванов ✓"
                                                         << "✓" << 12;
    }

    void cardOkStoresOrRefuses() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, number);
        MessageBox::takeMessages();
        RegistrationCardDialog card(FullCard(), false, Captions());
        card.findChild<QLineEdit *>(field)->setText(text);
        card.accept();
        const QStringList said = MessageBox::takeMessages();
        if (message.isEmpty()) {
            QVERIFY2(said.isEmpty(), qPrintable(said.join('|')));
            QCOMPARE(card.result(), int(QDialog::Accepted));
            QCOMPARE(card.Result(), RegistrationCardDialog::Stored);
            QCOMPARE(textgen::RowFromCard(card.Fields()).number, number);
        } else {
            QCOMPARE(said.size(), 1);
            QVERIFY2(said.first().contains(message), qPrintable(said.first()));
            QCOMPARE(card.Result(), RegistrationCardDialog::Cancelled);
            QVERIFY(card.findChild<QLineEdit *>(field)->text() == text); // nothing lost
        }
    }

    // The card's labels are the journal's column captions; an empty caption has its default.
    void cardLabelsAreTheColumnCaptions() {
        textgen::JournalSettings s;
        s.columns[ColPrice].caption = W("Сумма");
        RegistrationCardDialog card(FullCard(), false, CardCaptions(s));
        QString price, otv;
        for (QLabel *label : card.findChildren<QLabel *>()) {
            if (label->buddy() == card.findChild<QLineEdit *>(QStringLiteral("Price")))
                price = label->text();
            if (label->buddy() == card.findChild<QLineEdit *>(QStringLiteral("Otv")))
                otv = label->text();
        }
        QCOMPARE(price, QStringLiteral("Сумма"));
        QCOMPARE(otv, QStringLiteral("Ответственный"));
    }

    // The parameters come back as they were set; a period whose start is after its end is kept
    // as typed, and the journal then has no rows and counts 0.
    void parametersRoundTripAndAPeriodBackwardsShowsNothing() {
        textgen::JournalSettings s;
        s.title = W("ЖУРНАЛ");
        s.subtitle = W("договоры");
        s.from = DateFromCalendar(2026, 12, 31);
        s.to = DateFromCalendar(2026, 1, 1);
        s.showCount = true;
        for (std::size_t i = 0; i < kJournalColumnCount; ++i) {
            s.columns[i].caption = W("Столбец ") + std::to_string(i);
            s.columns[i].shown = i % 2 == 0;
            s.columns[i].filter = JournalColumnFilters(i) ? W("ООО 'Ромашка'") : std::string();
        }
        JournalSettingsDialog dialog(s);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("   Параметы журнала"));
        QVERIFY(dialog.Settings() == s);
        MessageBox::takeMessages();
        dialog.findChild<QLineEdit *>(QStringLiteral("title"))->setText(QStringLiteral("Ж ✓"));
        dialog.accept();
        QCOMPARE(MessageBox::takeMessages().size(), 1);
        QVERIFY(dialog.result() != QDialog::Accepted);

        QTemporaryDir dir;
        refdata::InitDatabase(refdata::FctPath(dir.path()), refdata::DatabaseKind::Reference,
                              nullptr);
        refdata::SqlConnection db;
        QVERIFY(
            db.Open(refdata::FctPath(dir.path()), refdata::SqlConnection::OpenMode::ExistingOnly));
        refdata::JournalStore store(db);
        textgen::CardFields card = FullCard();
        card.kontragent = W("ООО 'Ромашка'");
        QVERIFY(refdata::RegisterDocument(store, card, {"<p>x</p>", {}, {}}, nullptr));
        textgen::JournalSettings backwards = dialog.Settings();
        backwards.title = s.title;
        for (auto &c : backwards.columns)
            c.filter.clear();
        std::vector<textgen::JournalRow> rows;
        QVERIFY(store.List(textgen::FilterOf(backwards), rows, nullptr));
        QVERIFY(rows.empty());
        std::swap(backwards.from, backwards.to);
        QVERIFY(store.List(textgen::FilterOf(backwards), rows, nullptr));
        QCOMPARE(rows.size(), std::size_t(1)); // the same row is there for the right period
        std::swap(backwards.from, backwards.to);
        store.List(textgen::FilterOf(backwards), rows, nullptr);
        const std::string page =
            textgen::BuildJournalPage(ShippedStyleFile().records[kJournalRecord], backwards, rows);
        QVERIFY(page.find(W("Всего документов: 0")) != std::string::npos);
        QVERIFY(page.find("<TR STYLE=") == std::string::npos);
    }

    void styleDialogKeepsTheStyleAndRefusesWhatCannotBeStored() {
        const FormattingStyle style{W("Строгий"), "Liberation Serif", 12, 640};
        StyleDialog dialog(style);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("   Стиль форматирования"));
        QVERIFY(dialog.Style() == style);
        MessageBox::takeMessages();
        dialog.findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("Стиль ✓"));
        dialog.accept();
        QCOMPARE(MessageBox::takeMessages().size(), 1);
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    // "Удалить" on the only style asks, empties the list with nothing selected and stores.
    void deletingTheOnlyStyle() {
        CBody record = NewStyleRecord();
        CBody document = NewStyleRecord();
        {
            StyleListEditor editor(record, document);
            editor.CommitAdd(editor.BeginAdd(), {W("Один"), "Arial", 10, 500});
        }
        int stored = 0;
        StyleListDialog dialog(record, document, [&] { ++stored; });
        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("styles"));
        QCOMPARE(list->count(), 1);
        list->setCurrentRow(0);
        MessageBox::takeMessages();
        MessageBox::setNextAnswer(MessageBox::Yes);
        dialog.findChild<QPushButton *>(QStringLiteral("delete"))->click();
        const QStringList asked = MessageBox::takeMessages();
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.first().contains(QStringLiteral("Удалить стиль?")),
                 qPrintable(asked.first()));
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->currentRow(), -1);
        QCOMPARE(stored, 1);
        dialog.accept();
        QVERIFY(!dialog.Chosen());
    }
};

DRAVO_APP_TEST_MAIN(JournalDialogsTest)
#include "dialogs_journal_test.moc"
