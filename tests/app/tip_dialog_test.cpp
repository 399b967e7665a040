// The tip of the day through its dialog, command 104 and the start-up: tips in turn, the choice
// to show them at start-up, and the place in the file kept between showings.
#include "apptest.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/tip_dialog.h"
#include "app/mainframe.h"
#include "core/text.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace dravo;

namespace {
QString WriteTips(const QTemporaryDir &dir, const QString &utf8) {
    const QString path = dir.filePath(QStringLiteral("tips.txt"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray::fromStdString(FromUtf8(utf8.toStdString())));
    return path;
}

void Click(QDialog &d, const char *name) {
    d.findChild<QPushButton *>(QLatin1String(name))->click();
}
} // namespace

class TipDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QSettings().clear();
        MessageBox::takeMessages();
    }

    void showsTipsInTurnAndRemembersThePlace() {
        QTemporaryDir dir;
        const QString path = WriteTips(dir, QStringLiteral("; советы\nПервый\n\nВторой\nТретий\n"));
        {
            TipDialog d(path);
            QCOMPARE(d.windowTitle(), QStringLiteral("   Совет дня"));
            bool heading = false;
            for (QLabel *l : d.findChildren<QLabel *>())
                heading = heading || l->text() == QStringLiteral("Знаете ли Вы, что");
            QVERIFY(heading);
            auto *startUp = d.findChild<QCheckBox *>(QStringLiteral("startUp"));
            QCOMPARE(startUp->text(), QStringLiteral("Показывать при запуске"));
            QVERIFY(startUp->isChecked());
            QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("next"))->text(),
                     QStringLiteral("Следующий"));
            QCOMPARE(d.findChild<QPushButton *>(QStringLiteral("close"))->text(),
                     QStringLiteral("Закрыть"));
            QCOMPARE(d.TipText(), QStringLiteral("Первый"));
            Click(d, "next");
            QCOMPARE(d.TipText(), QStringLiteral("Второй"));
            Click(d, "next");
            Click(d, "next");
            QCOMPARE(d.TipText(), QStringLiteral("Первый")); // round again
            startUp->setChecked(false);
            Click(d, "close");
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        QCOMPARE(LoadTipSettings().startUp, 1);
        QVERIFY(!TipWantedAtStartUp());
        QVERIFY(!LoadTipSettings().timeStamp.empty());
        {
            // Closed another way: the place is kept, the start-up choice is not touched.
            TipDialog d(path);
            QVERIFY(!d.findChild<QCheckBox *>(QStringLiteral("startUp"))->isChecked());
            QCOMPARE(d.TipText(), QStringLiteral("Второй"));
            d.findChild<QCheckBox *>(QStringLiteral("startUp"))->setChecked(true);
            d.reject();
        }
        QCOMPARE(LoadTipSettings().startUp, 1);
        TipDialog d(path);
        QCOMPARE(d.TipText(), QStringLiteral("Третий"));
        if (!qEnvironmentVariableIsEmpty("DRAVO_SCREENSHOT_DIR")) {
            d.show();
            QTest::qWait(100);
            d.grab().save(qEnvironmentVariable("DRAVO_SCREENSHOT_DIR") +
                          QStringLiteral("/tip-dialog.png"));
        }
    }

    void missingFileIsSaidInPlaceOfATip() {
        TipDialog d(QStringLiteral("/nonexistent/tips.txt"));
        QCOMPARE(d.TipText(), QStringLiteral("Не найден файл с советами в каталоге программы"));
        Click(d, "next");
        QCOMPARE(d.TipText(), QStringLiteral("Не найден файл с советами в каталоге программы"));
    }

    // The shipped tips at a plain start and through command 104; never for an opened file or
    // once the user switched them off.
    void startUpAndCommandShowTheShippedTips() {
        QTemporaryDir dir;
        apptest::FreshDataFolder(dir.path());
        QStringList shown;
        auto record = [&shown](QDialog &d) {
            shown << d.windowTitle() + QLatin1Char('|') + static_cast<TipDialog &>(d).TipText();
            Click(d, "close");
        };
        CDravoApp::Options quiet;
        quiet.registerDesktop = false;
        quiet.showWindow = false;
        quiet.singleInstance = false;
        {
            DialogSeam::setNextScript(record);
            CDravoApp app(quiet);
            QVERIFY(app.InitInstance({}));
            QCOMPARE(DialogSeam::pendingScripts(), 0);
            QCOMPARE(shown.size(), 1);
            QVERIFY(shown[0].startsWith(QStringLiteral("   Совет дня|")));
            QVERIFY(shown[0].size() > 30); // a real tip, not a message
            DialogSeam::setNextScript(record);
            app.MainFrame()->OnCommand(104);
            QCOMPARE(shown.size(), 2);
            QVERIFY(shown[1] != shown[0]); // the next tip
            app.ExitInstance();
        }
        DialogSeam::setNextScript(record);
        {
            CDravoApp app(quiet);
            QVERIFY(app.InitInstance({apptest::SampleTemplate()}));
            app.ExitInstance();
        }
        {
            CDravoApp app(quiet);
            QVERIFY(app.InitInstance({QStringLiteral("/Embedding")}));
            app.ExitInstance();
        }
        QSettings().setValue(QStringLiteral("Tip/StartUp"), 1);
        {
            CDravoApp app(quiet);
            QVERIFY(app.InitInstance({}));
            app.ExitInstance();
        }
        QCOMPARE(DialogSeam::pendingScripts(), 1);
        QCOMPARE(shown.size(), 2);
        ShowTipOfTheDay(nullptr); // takes the script left
        QCOMPARE(shown.size(), 3);
    }
};

DRAVO_APP_TEST_MAIN(TipDialogTest)
#include "tip_dialog_test.moc"
