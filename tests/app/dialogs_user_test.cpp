// Dialog 146 "Реквизиты пользователя": its eight fields in order, and the round trip through
// "usr.dat" (a missing file gives its message and is never created).
#include "apptest.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/user_requisites_dialog.h"
#include "app/holderdoc.h"
#include "core/text.h"

#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace dravo;

namespace {

QString Q(std::string_view cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}
std::string W(const QString &text) {
    return FromUtf8(text.toStdString());
}

// Answers the next dialog: types into one field and presses OK.
void AnswerNextDialog(const QString &field, const QString &text) {
    DialogSeam::setNextScript([field, text](QDialog &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>(field);
        QVERIFY(edit);
        edit->setText(text);
        dialog.accept();
    });
}

} // namespace

class UserDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { MessageBox::takeMessages(); }

    void showsTheEightFieldsInTheDialogsOrder() {
        CUser user;
        for (std::size_t i = 0; i < CUser::kTextCount; ++i)
            user.Text(i) = std::string("t").append(std::to_string(i));
        UserRequisitesDialog dialog(user);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Реквизиты пользователя"));
        auto *form = dialog.findChild<QFormLayout *>();
        QVERIFY(form);
        QCOMPARE(form->rowCount(), 8);
        const QStringList captions = {"Наименование",       "именуем(ое)",         "в лице",
                                      "Адрес, ИНН",         "Платежные реквизиты", "Телефоны, факс",
                                      "Строка для подписи", "Населенный пункт"};
        const int texts[] = {0, 2, 3, 4, 5, 7, 1, 12};
        for (int row = 0; row < 8; ++row) {
            auto *label =
                qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::LabelRole)->widget());
            auto *edit =
                qobject_cast<QLineEdit *>(form->itemAt(row, QFormLayout::FieldRole)->widget());
            QVERIFY(label && edit);
            QCOMPARE(label->text(), captions[row]);
            QCOMPARE(edit->text(), QStringLiteral("t%1").arg(texts[row]));
        }
    }

    void okStoresTheFieldsAndKeepsTheOthers() {
        CUser user;
        user.Text(13) = "/last/template.adf";
        user.Text(8) = "kept";
        UserRequisitesDialog dialog(user);
        dialog.findChild<QLineEdit *>("field0")->setText(QStringLiteral("ООО «Ромашка»"));
        dialog.findChild<QLineEdit *>("field12")->setText(QStringLiteral("г. Тверь"));
        dialog.accept();
        QCOMPARE(Q(user.Text(CUser::UserName)), QStringLiteral("ООО «Ромашка»"));
        QCOMPARE(Q(user.Text(CUser::Settlement)), QStringLiteral("г. Тверь"));
        QCOMPARE(user.Text(13), std::string("/last/template.adf"));
        QCOMPARE(user.Text(8), std::string("kept"));
    }

    void cancelChangesNothing() {
        CUser user;
        user.Text(0) = W(QStringLiteral("ООО «Ромашка»"));
        UserRequisitesDialog dialog(user);
        dialog.findChild<QLineEdit *>("field0")->setText(QStringLiteral("b"));
        dialog.reject();
        QCOMPARE(Q(user.Text(0)), QStringLiteral("ООО «Ромашка»"));
    }

    void roundTripThroughTheUserFile() {
        QTemporaryDir dir;
        const QString file = dir.filePath("usr.dat");
        CUser stored;
        stored.Text(CUser::UserName) = W(QStringLiteral("ИП Иванов"));
        std::string error;
        {
            QFile create(file);
            QVERIFY(create.open(QIODevice::WriteOnly)); // the file is there, as installed
        }
        QVERIFY(SaveUserRequisites(file.toStdString(), stored, error));
        CHolderDoc doc;
        AnswerNextDialog("field7", QStringLiteral("+7 4822 000-000"));
        QVERIFY(RunUserRequisitesDialog(nullptr, doc, file));
        QVERIFY(MessageBox::takeMessages().isEmpty());
        QCOMPARE(Q(doc.m_user.Text(CUser::UserName)), QStringLiteral("ИП Иванов"));
        CUser reread;
        QVERIFY(LoadUserRequisites(file.toStdString(), reread, error));
        QCOMPARE(Q(reread.Text(CUser::UserName)), QStringLiteral("ИП Иванов"));
        QCOMPARE(Q(reread.Text(CUser::Phones)), QStringLiteral("+7 4822 000-000"));
    }

    void missingFileGivesItsMessageAndIsNotCreated() {
        QTemporaryDir dir;
        const QString file = dir.filePath("usr.dat");
        CHolderDoc doc;
        AnswerNextDialog("field0", QStringLiteral("ООО «Ромашка»"));
        QVERIFY(RunUserRequisitesDialog(nullptr, doc, file));
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.size(), 2); // on loading and on storing
        QCOMPARE(messages[0], QStringLiteral("Не найден файл реквизитов пользователя"));
        QCOMPARE(messages[1], QStringLiteral("Не найден файл реквизитов пользователя"));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        // The document's own copy still carries the edit for this session's pages.
        QCOMPARE(Q(doc.m_user.Text(CUser::UserName)), QStringLiteral("ООО «Ромашка»"));
    }

    // Each document keeps its own copy of the requisites; closing one records its path and
    // must not put back requisites that were confirmed meanwhile in another document.
    void closingADocumentKeepsRequisitesConfirmedInAnother() {
        QTemporaryDir dir;
        const QString file = dir.filePath("usr.dat");
        CUser stored;
        stored.Text(CUser::UserName) = W(QStringLiteral("ИП Иванов"));
        std::string error;
        QFile(file).open(QIODevice::WriteOnly);
        QVERIFY(SaveUserRequisites(file.toStdString(), stored, error));
        CHolderDoc older;
        QVERIFY(older.Open(apptest::SampleTemplate(), nullptr));
        QVERIFY(older.LoadUser(file, nullptr));
        CHolderDoc other;
        AnswerNextDialog("field0", QStringLiteral("ООО «Ромашка»"));
        QVERIFY(RunUserRequisitesDialog(nullptr, other, file));
        QString why;
        QVERIFY2(older.RecordClosedPath(file, &why), qPrintable(why));
        CUser reread;
        QVERIFY(LoadUserRequisites(file.toStdString(), reread, error));
        QCOMPARE(Q(reread.Text(CUser::UserName)), QStringLiteral("ООО «Ромашка»"));
        QCOMPARE(Q(reread.Text(CUser::LastDocument)), older.Path());
        // Without the file nothing is written and the closing says why.
        QVERIFY(QFile::remove(file));
        QVERIFY(!older.RecordClosedPath(file, &why));
        QCOMPARE(why, QStringLiteral("Не найден файл реквизитов пользователя"));
        QVERIFY(!QFile::exists(file));
    }

    void unansweredDialogIsCancelledInTestMode() {
        QTemporaryDir dir;
        const QString file = dir.filePath("usr.dat");
        CUser stored;
        stored.Text(0) = W(QStringLiteral("ИП Иванов"));
        std::string error;
        QFile(file).open(QIODevice::WriteOnly);
        QVERIFY(SaveUserRequisites(file.toStdString(), stored, error));
        const QByteArray before = [&] {
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        CHolderDoc doc;
        QVERIFY(!RunUserRequisitesDialog(nullptr, doc, file));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void textTheCodePageLacksIsRefusedOnOk() {
        CUser user;
        UserRequisitesDialog dialog(user);
        auto *name = dialog.findChild<QLineEdit *>("field0");
        name->setText(QStringLiteral("ООО 😀 Смайл"));
        dialog.accept();
        QVERIFY(dialog.result() != QDialog::Accepted);
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QStringLiteral("«😀» (U+1F600)")), qPrintable(messages[0]));
        QVERIFY(user.Text(CUser::UserName).empty()); // nothing stored, nothing replaced
        name->setText(QStringLiteral("ООО «Смайл»"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Q(user.Text(CUser::UserName)), QStringLiteral("ООО «Смайл»"));
    }
};

DRAVO_APP_TEST_MAIN(UserDialogTest)
#include "dialogs_user_test.moc"
