// Dialog 147 "   Установочные данные": what it shows on opening, the clicks that change the
// document at once, OK storing every control and Cancel leaving the document as it was.
#include "apptest.h"
#include "widgets.h"

#include "app/dialogs/setup_data_dialog.h"
#include "core/text.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

using namespace dravo;

namespace {

QString Q(std::string_view cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}

CBody SampleBody() {
    CBody body;
    body.Paragraph(ParTitle).m_strText = "ДОГОВОР"_w;
    body.Paragraph(ParSubtitle).m_strText = "поставки товаров"_w;
    body.Paragraph(ParClauseText).m_strName = "Поставщик"_w;
    body.Paragraph(ParClauseText).m_strText = "Покупатель"_w;
    body.Paragraph(ParArticleHead).m_strName = "Гарант"_w;
    body.Paragraph(ParArticleHead).m_strText = "заключили настоящий договор о нижеследующем:"_w;
    return body; // order never set: roles 0, 0, 0
}

using apptest::Child;

QString Labels(QWidget &dialog) {
    return Child<QLabel>(dialog, "label1")->text() + "|" + Child<QLabel>(dialog, "label2")->text() +
           "|" + Child<QLabel>(dialog, "label3")->text();
}

// Clicks a check box on its indicator (a box stretched across the dialog ignores a click beyond its
// text).
void ClickBox(QWidget &dialog, const char *name) {
    auto *box = Child<QCheckBox>(dialog, name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void ClickSpin(QWidget &dialog, const char *name, int arrow) {
    auto buttons = Child<QWidget>(dialog, name)->findChildren<QToolButton *>();
    QCOMPARE(buttons.size(), 2);
    QTest::mouseClick(buttons[arrow], Qt::LeftButton);
}

} // namespace

class SetupDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void opensWithTheDocumentValues() {
        CBody body = SampleBody();
        SetupDocument document{"12/А"_w.data(), 12, true};
        Date date = DateFromCalendar(2004, 12, 6);
        SetupDataDialog dialog(body, document, date);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("   Установочные данные"));
        QCOMPARE(Child<QLineEdit>(dialog, "title")->text(), QStringLiteral("ДОГОВОР"));
        QCOMPARE(Child<QLineEdit>(dialog, "subtitle")->text(), QStringLiteral("поставки товаров"));
        QCOMPARE(Child<QLineEdit>(dialog, "number")->text(), QStringLiteral("12/А"));
        QCOMPARE(Child<QLineEdit>(dialog, "name1")->text(), QStringLiteral("Поставщик"));
        QCOMPARE(Child<QLineEdit>(dialog, "name2")->text(), QStringLiteral("Покупатель"));
        QCOMPARE(Child<QDateEdit>(dialog, "date")->date(), QDate(2004, 12, 6));
        QVERIFY(Child<QDateEdit>(dialog, "date")->isVisible());
        QVERIFY(Child<QCheckBox>(dialog, "dateShown")->isChecked());
        // No third party: its name gives way to the static text.
        QVERIFY(!Child<QCheckBox>(dialog, "thirdParty")->isChecked());
        QVERIFY(!Child<QLineEdit>(dialog, "name3")->isVisible());
        QCOMPARE(Child<QLabel>(dialog, "notTakingPart")->text(), QStringLiteral("<не участвует>"));
        QVERIFY(Child<QLabel>(dialog, "notTakingPart")->isVisible());
        QCOMPARE(Labels(dialog), QStringLiteral("Пользователь|Контрагент|Третья сторона"));
        QCOMPARE(Child<QCheckBox>(dialog, "splitPreamble")->text(),
                 QStringLiteral("Разбить \"шапку\" на абзацы"));
        dialog.reject();
    }

    void checkBoxesSwapTheirControls() {
        CBody body = SampleBody();
        SetupDocument document{"", 0, true};
        Date date = DateFromCalendar(2004, 12, 6);
        SetupDataDialog dialog(body, document, date);
        dialog.show();
        ClickBox(dialog, "dateShown");
        QVERIFY(!document.dateShown);
        QVERIFY(!Child<QDateEdit>(dialog, "date")->isVisible());
        QCOMPARE(Child<QLabel>(dialog, "noDate")->text(), QStringLiteral("< прочерк >"));
        QVERIFY(Child<QLabel>(dialog, "noDate")->isVisible());
        ClickBox(dialog, "thirdParty");
        QCOMPARE(body.Paragraph(ParArticleHead).m_nCheck, 1);
        QVERIFY(Child<QLineEdit>(dialog, "name3")->isVisible());
        QCOMPARE(Child<QLineEdit>(dialog, "name3")->text(), QStringLiteral("Гарант"));
        dialog.reject();
    }

    void spinsSwapRolesAndRelabel() {
        CBody body = SampleBody();
        SetupDocument document;
        Date date = Today();
        SetupDataDialog dialog(body, document, date);
        dialog.show();
        ClickSpin(dialog, "spinUpper", 0);
        QCOMPARE(Labels(dialog), QStringLiteral("Контрагент|Пользователь|Третья сторона"));
        ClickSpin(dialog, "spinLower", 1);
        QCOMPARE(Labels(dialog), QStringLiteral("Контрагент|Третья сторона|Пользователь"));
        // The names stay in their rows.
        QCOMPARE(Child<QLineEdit>(dialog, "name1")->text(), QStringLiteral("Поставщик"));
        ClickSpin(dialog, "spinLower", 0);
        ClickSpin(dialog, "spinUpper", 1);
        QCOMPARE(Labels(dialog), QStringLiteral("Пользователь|Контрагент|Третья сторона"));
        dialog.reject();
    }

    void okStoresEveryControl() {
        CBody body = SampleBody();
        SetupDocument document{"1", 1, true};
        Date date = DateFromCalendar(2004, 12, 6);
        SetupDataDialog dialog(body, document, date);
        dialog.show();
        Child<QLineEdit>(dialog, "title")->setText(QStringLiteral("СОГЛАШЕНИЕ"));
        Child<QLineEdit>(dialog, "subtitle")->setText(QStringLiteral("   "));
        Child<QLineEdit>(dialog, "number")->setText(QStringLiteral("77-к"));
        Child<QLineEdit>(dialog, "name1")->setText(QStringLiteral("Заказчик"));
        Child<QLineEdit>(dialog, "name2")->setText(QStringLiteral("Исполнитель"));
        Child<QDateEdit>(dialog, "date")->setDate(QDate(2026, 3, 1));
        ClickBox(dialog, "splitPreamble");
        ClickSpin(dialog, "spinUpper", 0);
        ClickBox(dialog, "dateShown");
        QTest::mouseClick(Child<QWidget>(dialog, "ok"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Q(body.Paragraph(ParTitle).m_strText), QStringLiteral("СОГЛАШЕНИЕ"));
        QCOMPARE(body.Paragraph(ParSubtitle).m_strText, std::string());
        QCOMPARE(body.Paragraph(ParSubtitle).m_nCheck, 0);
        QVERIFY(body.Paragraph(ParArticleHead).m_strText.empty());
        QCOMPARE(Q(body.Paragraph(ParClauseText).m_strName), QStringLiteral("Заказчик"));
        QCOMPARE(Q(body.Paragraph(ParClauseText).m_strText), QStringLiteral("Исполнитель"));
        QCOMPARE(body.Paragraph(ParClauseText).m_nType, 2);
        QCOMPARE(body.Paragraph(ParClauseText).m_nCheck, 1);
        QCOMPARE(body.Paragraph(ParClauseText).m_nMark, 3);
        QCOMPARE(body.Paragraph(ParArticleHead).m_nMark, 1);
        QCOMPARE(Q(document.numberText), QStringLiteral("77-к"));
        QCOMPARE(document.number, 77);
        QVERIFY(!document.dateShown);
        QCOMPARE(date, DateFromCalendar(2026, 3, 1));
    }

    void cancelLeavesTheDocumentAsItWas() {
        CBody body = SampleBody();
        const CBody before = body;
        SetupDocument document{"5", 5, true};
        const Date opened = DateFromCalendar(2004, 12, 6);
        Date date = opened;
        SetupDataDialog dialog(body, document, date);
        dialog.show();
        Child<QLineEdit>(dialog, "title")->setText(QStringLiteral("АКТ"));
        Child<QDateEdit>(dialog, "date")->setDate(QDate(2020, 1, 1));
        ClickSpin(dialog, "spinUpper", 0);
        ClickBox(dialog, "thirdParty");
        ClickBox(dialog, "dateShown");
        QTest::mouseClick(Child<QWidget>(dialog, "cancel"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(body == before);
        QVERIFY(document.dateShown);
        QCOMPARE(document.numberText, std::string("5"));
        QCOMPARE(date, opened);
    }

    void textTheCodePageLacksIsRefusedOnOk() {
        CBody body = SampleBody();
        const std::string title = body.Paragraph(ParTitle).m_strText;
        SetupDocument document{"1", 1, true};
        Date date = DateFromCalendar(2004, 12, 6);
        SetupDataDialog dialog(body, document, date);
        dialog.show();
        Child<QLineEdit>(dialog, "title")->setText(QStringLiteral("ДОГОВОР ✓"));
        QTest::mouseClick(Child<QWidget>(dialog, "ok"), Qt::LeftButton);
        QVERIFY(dialog.result() != QDialog::Accepted);
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QStringLiteral("«✓» (U+2713)")), qPrintable(messages[0]));
        QCOMPARE(body.Paragraph(ParTitle).m_strText, title);
    }
};

DRAVO_APP_TEST_MAIN(SetupDialogTest)
#include "dialogs_setup_test.moc"
