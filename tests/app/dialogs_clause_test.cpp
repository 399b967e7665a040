// The "Пункт" dialog: the list of numbering kinds, the title and controls of each level, the
// buttons that step, add and delete (with the program's own question), OK saving the template and
// Cancel keeping what earlier presses did.
#include "apptest.h"
#include "widgets.h"

#include "app/dialogs/clause_dialog.h"
#include "core/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace dravo;

namespace {

QString Q(std::string_view cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}
std::string W(const QString &text) {
    return FromUtf8(text.toStdString());
}

// Two articles: "Предмет" with two clauses, "Цена" with one.
CBody SampleBody() {
    CBody body;
    body.m_arArticles.clear();
    auto article = [&](const char *name, std::initializer_list<const char *> clauses) {
        CPar par;
        par.m_head.m_strName = W(QString::fromUtf8(name));
        par.m_head.m_strText = W(QString::fromUtf8(name).toUpper());
        par.m_head.m_nType = 1;
        for (const char *text : clauses) {
            CPun clause;
            clause.m_strName = W(QString::fromUtf8(text).left(10));
            clause.m_strText = W(QString::fromUtf8(text));
            clause.m_nType = 3;
            clause.m_nCheck = 1;
            par.m_arItems.push_back(clause);
        }
        body.m_arArticles.push_back(par);
    };
    article("Предмет", {"Продавец передает товар.", "Покупатель принимает товар."});
    article("Цена", {"Цена указана в спецификации."});
    return body;
}

using apptest::Child;

void Click(QWidget &dialog, const char *button) {
    QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
}

QString Text(QWidget &dialog) {
    return Child<QPlainTextEdit>(dialog, "text")->toPlainText();
}

} // namespace

class ClauseDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { MessageBox::takeMessages(); }

    void numberingKindsAreListedExactly() {
        CBody body = SampleBody();
        ClauseDialog dialog(body, W(QStringLiteral("Договор.adf")), 0, 0, 1, {});
        auto *kinds = Child<QComboBox>(dialog, "kind");
        QCOMPARE(kinds->count(), 5);
        QCOMPARE(kinds->itemText(0), QStringLiteral("нумерация не применена "));
        QCOMPARE(kinds->itemText(1), QStringLiteral("нумерация римскими цифрами"));
        QCOMPARE(kinds->itemText(2), QStringLiteral("нумерация одной арабской цифрой"));
        QCOMPARE(kinds->itemText(3), QStringLiteral("нумерация двуми цифрами: статья-пункт"));
        QCOMPARE(kinds->itemText(4), QStringLiteral("маркированный пункт"));
        QCOMPARE(kinds->currentIndex(), 3);
    }

    void eachLevelShowsItsControls() {
        CBody body = SampleBody();
        ClauseDialog dialog(body, W(QStringLiteral("Договор.adf")), 0, 1, 1, {});
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("  Пункт 2 из 2 в статье 'Предмет'"));
        QCOMPARE(Child<QPushButton>(dialog, "level")->text(), QStringLiteral("К статье"));
        QVERIFY(Child<QCheckBox>(dialog, "clauseCheck")->isVisible());
        QVERIFY(Child<QCheckBox>(dialog, "clauseCheck")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog, "summary")->isVisible());
        QCOMPARE(Text(dialog), QStringLiteral("Покупатель принимает товар."));
        Click(dialog, "level");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("  Статья 1 из 2 в документе 'Договор'"));
        QCOMPARE(Child<QPushButton>(dialog, "level")->text(), QStringLiteral("К пункту"));
        QVERIFY(!Child<QCheckBox>(dialog, "clauseCheck")->isVisible());
        QVERIFY(Child<QCheckBox>(dialog, "summary")->isVisible());
        QCOMPARE(Child<QCheckBox>(dialog, "summary")->checkState(), Qt::Checked);
        QCOMPARE(Text(dialog), QStringLiteral("ПРЕДМЕТ"));
        QCOMPARE(Child<QComboBox>(dialog, "kind")->currentIndex(), 1);
        dialog.reject();
    }

    void summaryClickLeavesOutAndIncludesEveryClause() {
        CBody body = SampleBody();
        body.Clause(0, 0).m_nCheck = 0;
        ClauseDialog dialog(body, "d", 0, 0, 0, {});
        dialog.show();
        auto *summary = Child<QCheckBox>(dialog, "summary");
        QCOMPARE(summary->checkState(), Qt::PartiallyChecked);
        QTest::mouseClick(summary, Qt::LeftButton);
        QCOMPARE(summary->checkState(), Qt::Unchecked);
        QCOMPARE(body.Clause(0, 0).m_nCheck + body.Clause(0, 1).m_nCheck, 0);
        QTest::mouseClick(summary, Qt::LeftButton);
        QCOMPARE(summary->checkState(), Qt::Checked);
        QCOMPARE(body.Clause(0, 0).m_nCheck + body.Clause(0, 1).m_nCheck, 2);
        dialog.reject();
    }

    void steppingSavesAndWraps() {
        CBody body = SampleBody();
        ClauseDialog dialog(body, "d", 1, 0, 1, {});
        dialog.show();
        Child<QPlainTextEdit>(dialog, "text")->setPlainText(QStringLiteral("Цена договора."));
        Child<QComboBox>(dialog, "kind")->setCurrentIndex(2);
        Click(dialog, "next"); // last clause of the last article: back to the first
        QCOMPARE(Text(dialog), QStringLiteral("Продавец передает товар."));
        QCOMPARE(Q(body.Clause(1, 0).m_strText), QStringLiteral("Цена договора."));
        QCOMPARE(body.Clause(1, 0).m_nType, 2);
        Click(dialog, "previous");
        QCOMPARE(Text(dialog), QStringLiteral("Цена договора."));
        Click(dialog, "previous");
        QCOMPARE(Text(dialog), QStringLiteral("Покупатель принимает товар."));
        dialog.reject();
    }

    void deleteAsksInTheProgramsBox() {
        CBody body = SampleBody();
        ClauseDialog dialog(body, "d", 0, 0, 1, {});
        dialog.show();
        MessageBox::setNextAnswer(MessageBox::No);
        Click(dialog, "delete");
        QCOMPARE(MessageBox::takeMessages(),
                 QStringList{QStringLiteral("\n              Удалить пункт?")});
        QCOMPARE(body.ClauseCount(0), std::size_t(2));
        MessageBox::setNextAnswer(MessageBox::Yes);
        Click(dialog, "delete");
        QCOMPARE(body.ClauseCount(0), std::size_t(1));
        QCOMPARE(Text(dialog), QStringLiteral("Покупатель принимает товар."));
        Click(dialog, "level");
        MessageBox::setNextAnswer(MessageBox::Yes);
        Click(dialog, "delete");
        QCOMPARE(MessageBox::takeMessages().last(),
                 QStringLiteral("             Удалить статью и \n        связанные с ней пункты?"));
        QCOMPARE(body.ArticleCount(), std::size_t(1));
        QCOMPARE(Text(dialog), QStringLiteral("ЦЕНА"));
        dialog.reject();
    }

    void addedClauseWithoutTextGoesWithoutAQuestion() {
        CBody body = SampleBody();
        ClauseDialog dialog(body, "d", 1, 0, 1, {});
        dialog.show();
        Click(dialog, "add");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("  Пункт 2 из 2 в статье 'Цена'"));
        QCOMPARE(Text(dialog), QString());
        Click(dialog, "delete");
        QVERIFY(MessageBox::takeMessages().isEmpty());
        QCOMPARE(body.ClauseCount(1), std::size_t(1));
        dialog.reject();
    }

    void articleWithoutClausesCanBeFilled() {
        CBody body = SampleBody();
        body.Article(1).m_arItems.clear();
        ClauseDialog dialog(body, "d", 1, 0, 1, {});
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("  Пункт 0 из 0 в статье 'Цена'"));
        QVERIFY(!Child<QPlainTextEdit>(dialog, "text")->isEnabled());
        Click(dialog, "add");
        QVERIFY(Child<QPlainTextEdit>(dialog, "text")->isEnabled());
        QCOMPARE(body.ClauseCount(1), std::size_t(1));
        dialog.reject();
    }

    void okSavesTheTemplateAndCancelKeepsEarlierPresses() {
        CBody body = SampleBody();
        int saves = 0;
        std::string savedText;
        {
            ClauseDialog dialog(body, "d", 0, 0, 1, [&](std::string &) {
                ++saves;
                savedText = body.Clause(0, 0).m_strText;
                return true;
            });
            dialog.show();
            Child<QPlainTextEdit>(dialog, "text")->setPlainText(QStringLiteral("Изменено."));
            Click(dialog, "ok");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(saves, 1);
        QCOMPARE(Q(savedText), QStringLiteral("Изменено."));
        {
            ClauseDialog dialog(body, "d", 0, 0, 1, [&](std::string &) {
                ++saves;
                return true;
            });
            dialog.show();
            Click(dialog, "add"); // an earlier press: stays
            Child<QPlainTextEdit>(dialog, "text")->setPlainText(QStringLiteral("не сохранится"));
            Click(dialog, "cancel");
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QCOMPARE(saves, 1);
        QCOMPARE(body.ClauseCount(0), std::size_t(3));
        QVERIFY(body.Clause(0, 1).m_strText.empty());
    }

    void kindNotInTheListShowsNoSelectionAndIsKept() {
        CBody body = SampleBody();
        body.Clause(0, 0).m_nType = 5; // from an imported text
        ClauseDialog dialog(body, "d", 0, 0, 1, {});
        dialog.show();
        QCOMPARE(Child<QComboBox>(dialog, "kind")->currentIndex(), -1);
        Child<QPlainTextEdit>(dialog, "text")->setPlainText(QStringLiteral("Правка."));
        Click(dialog, "next");
        QCOMPARE(body.Clause(0, 0).m_nType, 5);
        QCOMPARE(Q(body.Clause(0, 0).m_strText), QStringLiteral("Правка."));
        dialog.reject();
    }

    void failedSaveIsReported() {
        CBody body = SampleBody();
        ClauseDialog dialog(body, "d", 0, 0, 1, [](std::string &error) {
            error = "No space left on device";
            return false;
        });
        dialog.show();
        Click(dialog, "ok");
        QCOMPARE(MessageBox::takeMessages(),
                 QStringList{QStringLiteral("No space left on device")});
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void textTheCodePageLacksIsRefusedBeforeItReachesTheBody() {
        CBody body = SampleBody();
        const CBody before = body;
        ClauseDialog dialog(body, "d", 0, 0, 1, {});
        dialog.show();
        for (const char *button : {"next", "ok"}) {
            Child<QPlainTextEdit>(dialog, "text")->setPlainText(QStringLiteral("Цена 100 ¥"));
            Click(dialog, button);
            const QStringList messages = MessageBox::takeMessages();
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains(QStringLiteral("«¥» (U+00A5)")), qPrintable(messages[0]));
            QVERIFY(dialog.result() != QDialog::Accepted);
            QVERIFY(body == before);
        }
    }
};

DRAVO_APP_TEST_MAIN(ClauseDialogTest)
#include "dialogs_clause_test.moc"
