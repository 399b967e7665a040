// Filling a contract's variable data through the program, as a user does it: F4 opens the entry
// form on the sample, a normal field is typed, the calendar, the value list and the keypad fill
// the others, OK rebuilds the page with the values; the list remembers the new value for the next
// document, and the values survive saving and reopening. With DRAVO_SHOTS set to a folder (and
// the test run on a real X display) each dialog leaves a screenshot there.
#include "apptest.h"
#include "widgets.h"

#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/entry_form_dialog.h"
#include "app/filedialog.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "app/shell.h"
#include "core/text.h"
#include "vardata/value_lists.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace dravo;

namespace {

QString Q(std::string_view cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}

// A picture of the window in front (a dialog, or the main window), when asked for.
void Shot(const QString &name, QWidget *window = nullptr) {
    const QString folder = qEnvironmentVariable("DRAVO_SHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(400);
    QWidget *front = window ? window : QApplication::activeModalWidget();
    if (!front)
        front = QApplication::activeWindow();
    if (front)
        front->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

using apptest::Child;

void Press(QDialog &dialog, const QString &button) {
    Child<QPushButton>(dialog, button)->click();
}

QLineEdit *Field(QDialog &form, int row) {
    return Child<QLineEdit>(form, QStringLiteral("field%1").arg(row));
}

// Rows of the sample's items.
constexpr int kDelivery = 0;  // "срок поставки", normal input
constexpr int kPlace = 1;     // "место передачи товара", list
constexpr int kPenalty = 6;   // "размер неустойки", calculator
constexpr int kValidity = 8;  // "срок действия договора", calendar
constexpr int kSeparator = 3; // "-"

const QString kNewPlace = QStringLiteral("склад Продавца в г. Твери");

} // namespace

class VariableDataTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    CHolderView *m_view = nullptr;

    QString PageText(CHolderView *view) {
        return apptest::RunJs(view, QStringLiteral("document.body.innerText")).toString();
    }

    // A copy of the sample in the test's folder, opened in a window.
    CHolderView *OpenSampleCopy(const QString &name) {
        const QString path = QDir(m_dir.path()).filePath(name);
        QFile::remove(path);
        if (!QFile::copy(apptest::SampleTemplate(), path))
            return nullptr;
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        CHolderView *view = m_frame->OpenDocument(path);
        return view && apptest::WaitForPage(view) ? view : nullptr;
    }

    // F4 on the active document, then the rebuilt page.
    bool PressF4AndReload(CHolderView *view) {
        QSignalSpy loaded(view, &CHolderView::pageLoaded);
        // The offscreen screen does not give the frame back its activation after a dialog.
        QApplication::setActiveWindow(m_frame.get());
        view->setFocus();
        QTest::keyClick(m_frame.get(), Qt::Key_F4);
        if (DialogSeam::pendingScripts() != 0) {
            qWarning("F4 left %d dialog scripts unused", DialogSeam::pendingScripts());
            return false;
        }
        return loaded.wait(20000) && loaded.last().first().toBool();
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        apptest::FreshDataFolder(m_dir.path());
        m_frame = std::make_unique<CMainFrame>();
        m_frame->resize(1200, 860);
        m_frame->show();
        m_frame->activateWindow();
        m_view = OpenSampleCopy(QStringLiteral("Поставка.adf"));
        QVERIFY(m_view);
        MessageBox::takeMessages();
        QVERIFY(m_frame->CommandEnabled(ID_VARIABLE_DATA));
    }

    void cleanupTestCase() { m_frame.reset(); }

    void fillEveryKindOfItemWithF4() {
        QString formCaption;
        DialogSeam::setNextScript([&](QDialog &form) {
            formCaption = form.windowTitle();
            // Ten items: the sample's rows, its separator without a field.
            QVERIFY(!form.findChild<QLineEdit *>(QStringLiteral("field%1").arg(kSeparator)));
            QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("aid%1").arg(kDelivery)));
            Field(form, kDelivery)->setText(QStringLiteral("15 (пятнадцати) рабочих дней"));
            Shot(QStringLiteral("vardata-01-entry-form"));
            Press(form, QStringLiteral("aid%1").arg(kValidity));
            QCOMPARE(Field(form, kValidity)->text(), QStringLiteral("30 июня 2028"));
            Field(form, kPlace)->setText(kNewPlace); // a value the list does not know
            Press(form, QStringLiteral("aid%1").arg(kPlace));
            Press(form, QStringLiteral("aid%1").arg(kPenalty));
            QCOMPARE(Field(form, kPenalty)->text(), QStringLiteral("3"));
            Shot(QStringLiteral("vardata-05-entry-form-filled"));
            Press(form, QStringLiteral("ok"));
        });
        // The calendar opens on the item's long date and keeps the long form.
        DialogSeam::setNextScript([](QDialog &dialog) {
            auto *calendar = Child<QCalendarWidget>(dialog, QStringLiteral("calendar"));
            QCOMPARE(calendar->selectedDate(), QDate(2027, 12, 31));
            QVERIFY(Child<QRadioButton>(dialog, QStringLiteral("long"))->isChecked());
            calendar->setSelectedDate(QDate(2028, 6, 30));
            Shot(QStringLiteral("vardata-02-calendar"));
            dialog.accept();
        });
        // The list shows the new value selected, beside the template's own.
        DialogSeam::setNextScript([](QDialog &dialog) {
            auto *lines = Child<QListWidget>(dialog, QStringLiteral("lines"));
            QCOMPARE(lines->count(), 1);
            QCOMPARE(lines->currentItem()->text(), kNewPlace);
            QCOMPARE(Child<QLabel>(dialog, QStringLiteral("info"))->text(), kNewPlace);
            Shot(QStringLiteral("vardata-03-list"));
            Press(dialog, QStringLiteral("ok"));
        });
        // The keypad reads "1,5*2".
        DialogSeam::setNextScript([](QDialog &dialog) {
            for (const char *key : {"C", "1", ",", "5", "*", "2"})
                Press(dialog, QStringLiteral("key ") + QLatin1String(key));
            QCOMPARE(Child<QLineEdit>(dialog, QStringLiteral("display"))->text(),
                     QStringLiteral("1,5*2"));
            QCOMPARE(Child<QLabel>(dialog, QStringLiteral("digits"))->text(), QStringLiteral("1"));
            Shot(QStringLiteral("vardata-04-keypad"));
            Press(dialog, QStringLiteral("ok"));
        });
        QVERIFY(PressF4AndReload(m_view));
        QCOMPARE(formCaption, QStringLiteral("Изменяемые данные            "));

        const CBody &body = m_view->GetDocument()->Body();
        QCOMPARE(Q(body.Variable(kValidity).m_strText), QStringLiteral("30 июня 2028"));
        QCOMPARE(body.Variable(kValidity).m_nFontSize, 1);
        QCOMPARE(Q(body.Variable(kPenalty).m_strText), QStringLiteral("3"));
        QVERIFY(m_view->GetDocument()->Modified());
        Shot(QStringLiteral("vardata-06-page"), m_frame.get());
        const QString page = PageText(m_view);
        for (const QString &value :
             {QStringLiteral("в течение 15 (пятнадцати) рабочих дней с момента"),
              QStringLiteral("по адресу: ") + kNewPlace, QStringLiteral("в размере 3 процента"),
              QStringLiteral("действует до 30 июня 2028, а в части расчетов")})
            QVERIFY2(page.contains(value), qPrintable(value));
        // The new value is remembered in the program's lists.
        const CPar *list =
            vardata::FindList(Shell().lists, vardata::ListKey(FromUtf8("место передачи товара")));
        QVERIFY(list);
        QCOMPARE(list->m_arItems.size(), std::size_t(1));
    }

    void clearThenCancelKeepsTheValues() {
        const CBody before = m_view->GetDocument()->Body();
        DialogSeam::setNextScript([](QDialog &form) {
            Press(form, QStringLiteral("clear"));
            QCOMPARE(Field(form, kDelivery)->text(), QString());
            Press(form, QStringLiteral("cancel"));
        });
        m_frame->OnCommand(ID_VARIABLE_DATA);
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QVERIFY(m_view->GetDocument()->Body() == before);
    }

    void valuesSurviveSaveAndReopen() {
        const QString path = QDir(m_dir.path()).filePath(QStringLiteral("Поставка.adf"));
        QVERIFY(m_frame->SaveDocument(m_view));
        CHolderDoc reopened;
        QString error;
        QVERIFY2(reopened.Open(path, &error), qPrintable(error));
        QVERIFY(reopened.Body().m_parVariables == m_view->GetDocument()->Body().m_parVariables);
        QCOMPARE(Q(reopened.Body().Variable(kDelivery).m_strText),
                 QStringLiteral("15 (пятнадцати) рабочих дней"));
    }
    void theListOffersTheValueInASecondDocument() {
        CHolderView *second = OpenSampleCopy(QStringLiteral("Вторая поставка.adf"));
        QVERIFY(second);
        DialogSeam::setNextScript([](QDialog &form) {
            Press(form, QStringLiteral("aid%1").arg(kPlace));
            QCOMPARE(Field(form, kPlace)->text(), kNewPlace);
            Press(form, QStringLiteral("ok"));
        });
        DialogSeam::setNextScript([](QDialog &dialog) {
            // The template's own value joined the list; the remembered one is offered too.
            auto *lines = Child<QListWidget>(dialog, QStringLiteral("lines"));
            QCOMPARE(lines->count(), 2);
            const auto found = lines->findItems(kNewPlace, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            lines->setCurrentItem(found.first());
            Press(dialog, QStringLiteral("ok"));
        });
        QVERIFY(PressF4AndReload(second));
        QVERIFY(PageText(second).contains(QStringLiteral("по адресу: ") + kNewPlace));
    }

    // "Определить" adds an item through the item list; "Очистить" of a list destroys it. Both
    // reopen the form, built from the changed items.
    void defineAndDestroyReopenTheForm() {
        CHolderView *view = m_frame->ActiveView();
        QVERIFY(view);
        const CBody &body = view->GetDocument()->Body();
        const std::size_t count = body.VariableCount();
        view->GetDocument()->SetModified(false);
        DialogSeam::setNextScript([](QDialog &form) { Press(form, QStringLiteral("define")); });
        DialogSeam::setNextScript([](QDialog &list) {
            Child<QListWidget>(list, QStringLiteral("lines"))->setCurrentRow(-1);
            Press(list, QStringLiteral("add")); // at the top: nothing is selected
            QCOMPARE(Child<QListWidget>(list, QStringLiteral("lines"))->currentRow(), 0);
            Press(list, QStringLiteral("ok"));
        });
        DialogSeam::setNextScript([](QDialog &item) {
            Child<QLineEdit>(item, QStringLiteral("word"))
                ->setText(QStringLiteral("  дата   передачи "));
            Child<QLineEdit>(item, QStringLiteral("hint"))
                ->setText(QStringLiteral("Дата передачи"));
            Child<QRadioButton>(item, QStringLiteral("kind1"))->setChecked(true);
            item.accept();
        });
        // The form again, with the new row first; its list is destroyed.
        DialogSeam::setNextScript([](QDialog &form) {
            QCOMPARE(Child<QLabel>(form, QStringLiteral("label0"))->text(),
                     QStringLiteral("Дата передачи"));
            QVERIFY(form.findChild<QPushButton *>(QStringLiteral("aid0")));
            MessageBox::setNextAnswer(MessageBox::Yes);
            Press(form, QStringLiteral("aid%1").arg(kPlace + 1));
        });
        DialogSeam::setNextScript([](QDialog &list) { Press(list, QStringLiteral("destroy")); });
        DialogSeam::setNextScript([](QDialog &form) {
            QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("aid%1").arg(kPlace + 1)));
            Press(form, QStringLiteral("cancel"));
        });
        QSignalSpy loaded(view, &CHolderView::pageLoaded);
        m_frame->OnCommand(ID_VARIABLE_DATA);
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QCOMPARE(body.VariableCount(), count + 1);
        QCOMPARE(Q(body.Variable(0).m_strName), QStringLiteral("дата передачи"));
        QCOMPARE(body.Variable(0).m_nType, 1);
        QCOMPARE(body.Variable(kPlace + 1).m_nType, 0);
        QVERIFY(
            !vardata::FindList(Shell().lists, vardata::ListKey(FromUtf8("место передачи товара"))));
        // Cancelled at the end, yet the template changed: it is marked and its page rebuilt.
        QVERIFY(view->GetDocument()->Modified());
        QVERIFY(loaded.wait(20000));
    }
};

DRAVO_APP_TEST_MAIN(VariableDataTest)
#include "dialogs_vardata_test.moc"
