// The template library through the program, as a user works with it: Ctrl+O opens dialog 199
// over the shipped library; a folder and a template are added, the template opens and gets its
// file at once; it is renamed (its open window follows), dragged into another folder, another
// element is excluded, the template is deleted with its file while its window is open, and the
// dialog reopened finds the tree as it was left. With DRAVO_SHOTS set to a folder each step
// leaves a picture of the dialog there.
#include "apptest.h"
#include "widgets.h"

#include "app/childframe.h"
#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/library_dialog.h"
#include "app/filedialog.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "core/text.h"
#include "library/layout.h"
#include "library/library.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace dravo;
using namespace dravo::library;

namespace {

using apptest::Shot;

using apptest::Child;

CLibraryDialog &AsLibrary(QDialog &dialog) {
    auto *library = qobject_cast<CLibraryDialog *>(&dialog);
    if (!library)
        qFatal("not the library dialog");
    return *library;
}

// The tree as shown: depth, icon's element and name of every item, in order.
QString Shown(CLibraryDialog &dialog) {
    QString out;
    std::function<void(QTreeWidgetItem *, int)> walk = [&](QTreeWidgetItem *item, int depth) {
        out += QString::number(depth) + QLatin1Char(':') + item->text(0) + QLatin1Char(';');
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < dialog.Tree()->topLevelItemCount(); ++i)
        walk(dialog.Tree()->topLevelItem(i), 0);
    return out;
}

QTreeWidgetItem *Item(CLibraryDialog &dialog, const QString &name) {
    const auto found = dialog.Tree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        qFatal("no item %s", qPrintable(name));
    return found.first();
}

void Select(CLibraryDialog &dialog, const QString &name) {
    dialog.Tree()->setCurrentItem(Item(dialog, name));
}

// The next dialog 200 or 201: types a name and presses OK.
void AnswerElement(const QString &name, bool folder, bool inside) {
    DialogSeam::setNextScript([=](QDialog &d) {
        Child<QLineEdit>(d, "name")->setText(name);
        if (auto *f = d.findChild<QRadioButton *>(QStringLiteral("folder")))
            f->setChecked(folder);
        if (auto *in = d.findChild<QCheckBox *>(QStringLiteral("inside")))
            in->setChecked(inside);
        d.accept();
    });
}

void AnswerDelete(const char *button) {
    DialogSeam::setNextScript([button](QDialog &d) { Child<QPushButton>(d, button)->click(); });
}

// Drops the current item on the target, as releasing the mouse over it does.
void DropOn(CLibraryDialog &dialog, const QString &target) {
    dialog.Tree()->DropCurrentOn(Item(dialog, target));
    QTest::qWait(50); // the tree is rebuilt once the drop has returned
}

} // namespace

class LibraryDraftingTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;

    QString Templates(const QString &name) {
        return m_dir.path() + QStringLiteral("/Templates/") + name + QStringLiteral(".adf");
    }

    // Ctrl+O with the script of the library dialog.
    void OpenLibrary(DialogSeam::Script script) {
        const int before = DialogSeam::pendingScripts();
        DialogSeam::setNextScript(std::move(script));
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QTest::keyClick(m_frame.get(), Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(DialogSeam::pendingScripts() <= before);
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        apptest::FreshDataFolder(m_dir.path());
        QVERIFY(QFileInfo::exists(m_dir.path() + QStringLiteral("/Data/ltr.dat")));
        // A library of its own, whatever the shipped one holds: the sample in a folder and the
        // journal.
        {
            FolderStore store(m_dir.path().toStdString(), nullptr);
            library::Library lib(store);
            QCOMPARE(lib.Load(), std::string());
            lib.Tree().Clear();
            const auto add = [&lib](const char *name, int image, const char *description) {
                QVERIFY(lib.Add({FromUtf8(name), FromUtf8(description), image, true}).done);
            };
            add("Договоры", kFolderClosed, "Шаблоны договоров");
            add("Договор купли-продажи", kTemplate, "");
            lib.Tree().Select(0);
            add("Журнал документов", kJournal, "");
            QCOMPARE(lib.Save(), std::string());
        }
        m_frame = std::make_unique<CMainFrame>();
        m_frame->resize(1100, 800);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        MessageBox::takeMessages();
    }

    void cleanupTestCase() { m_frame.reset(); }

    void theDialogHasTheGeometryOfBothFontSizes() {
        FolderStore store(m_dir.path().toStdString(), nullptr);
        library::Library lib(store);
        QCOMPARE(lib.Load(), std::string());
        for (int pixels : {13, 20}) {
            CLibraryDialog dialog(lib, nullptr, pixels);
            const LibraryDialogLayout l = LayOutLibraryDialog(pixels);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("   Библиотека"));
            QCOMPARE(dialog.Tree()->geometry(),
                     QRect(l.tree.left, l.tree.top, l.tree.Width(), l.tree.Height()));
            QCOMPARE(dialog.Tree()->geometry().bottomRight() + QPoint(1, 1),
                     pixels > 16 ? QPoint(500, 365) : QPoint(437, 295));
            QCOMPARE(Child<QLabel>(dialog, "description")->geometry().bottom() + 1,
                     pixels > 16 ? 440 : 360);
            QCOMPARE(dialog.Tree()->font().pixelSize(), pixels > 16 ? -1 : 14);
        }
    }

    void addAFolderAndATemplateThatOpensWithItsFile() {
        OpenLibrary([](QDialog &d) {
            CLibraryDialog &lib = AsLibrary(d);
            QCOMPARE(Shown(lib), QStringLiteral("0:Договоры;1:Договор купли-продажи;0:Журнал "
                                                "документов;"));
            QCOMPARE(Child<QLabel>(d, "description")->text(), QStringLiteral("Шаблоны договоров"));
            AnswerElement(QStringLiteral("Мои шаблоны"), true, false);
            Child<QPushButton>(d, "add")->click();
            AnswerElement(QStringLiteral("Договор подряда"), false, true);
            Child<QPushButton>(d, "add")->click();
            // A refused name keeps dialog 200 open with its message.
            DialogSeam::setNextScript([](QDialog &e) {
                Child<QLineEdit>(e, "name")->setText(QStringLiteral("Договор №1: аренда"));
                e.accept();
                QVERIFY(e.isVisible());
                e.reject();
            });
            Child<QPushButton>(d, "add")->click();
            QCOMPARE(MessageBox::takeMessages().value(0),
                     QStringLiteral("Название элемента библиотеки не должно содержать следующих "
                                    "символов:\n\n . : ! ? | * ' \" [ ] \\ / < >"));
            QCOMPARE(Shown(lib), QStringLiteral("0:Договоры;1:Договор купли-продажи;0:Мои "
                                                "шаблоны;1:Договор подряда;0:Журнал документов;"));
            Shot(d, QStringLiteral("library-01-added"));
            Child<QPushButton>(d, "ok")->click();
        });
        QTRY_VERIFY(QFileInfo::exists(Templates(QStringLiteral("Договор подряда"))));
        CHolderView *view = m_frame->ActiveView();
        QVERIFY(view);
        QCOMPARE(view->GetDocument()->Title(), QStringLiteral("Договор подряда"));
        QVERIFY(apptest::WaitForPage(view));
    }

    void renameDragAndExclude() {
        OpenLibrary([](QDialog &d) {
            CLibraryDialog &lib = AsLibrary(d);
            Select(lib, QStringLiteral("Договор подряда"));
            AnswerElement(QStringLiteral("Договор строительного подряда"), false, false);
            Child<QPushButton>(d, "change")->click();
            Select(lib, QStringLiteral("Договор строительного подряда"));
            DropOn(lib, QStringLiteral("Договоры"));
            // A folder never goes into itself.
            Select(lib, QStringLiteral("Договоры"));
            DropOn(lib, QStringLiteral("Договор купли-продажи"));
            Select(lib, QStringLiteral("Договор купли-продажи"));
            AnswerDelete("exclude");
            Child<QPushButton>(d, "remove")->click();
            QCOMPARE(Shown(lib), QStringLiteral("0:Договоры;1:Договор строительного подряда;0:Мои "
                                                "шаблоны;0:Журнал документов;"));
            Shot(d, QStringLiteral("library-02-renamed-moved"));
            Child<QPushButton>(d, "cancel")->click(); // "Отменить" keeps the changes too
        });
        QVERIFY(QFileInfo::exists(Templates(QStringLiteral("Договор строительного подряда"))));
        QVERIFY(!QFileInfo::exists(Templates(QStringLiteral("Договор подряда"))));
        QVERIFY(QFileInfo::exists(Templates(QStringLiteral("Договор купли-продажи"))));
        // The open document followed its file.
        CHolderDoc *doc = m_frame->ActiveView()->GetDocument();
        QCOMPARE(doc->Title(), QStringLiteral("Договор строительного подряда"));
        QCOMPARE(doc->Path(), Templates(QStringLiteral("Договор строительного подряда")));
    }

    void deleteWhileItsDocumentIsOpen() {
        QString reopened;
        OpenLibrary([&reopened](QDialog &d) {
            CLibraryDialog &lib = AsLibrary(d);
            Select(lib, QStringLiteral("Договор строительного подряда"));
            AnswerDelete("delete");
            // The library comes back once the document is closed.
            DialogSeam::setNextScript([&reopened](QDialog &again) {
                reopened = Shown(AsLibrary(again));
                Child<QPushButton>(again, "cancel")->click();
            });
            Child<QPushButton>(d, "remove")->click();
        });
        QTRY_VERIFY(!reopened.isEmpty());
        QCOMPARE(reopened, QStringLiteral("0:Договоры;0:Мои шаблоны;0:Журнал документов;"));
        QVERIFY(!QFileInfo::exists(Templates(QStringLiteral("Договор строительного подряда"))));
        QVERIFY(m_frame->Frames().isEmpty());
    }

    void reopenedTheTreeIsAsLeft() {
        QString shown;
        OpenLibrary([&shown](QDialog &d) {
            shown = Shown(AsLibrary(d));
            Shot(d, QStringLiteral("library-03-reopened"));
            Child<QPushButton>(d, "cancel")->click();
        });
        QCOMPARE(shown, QStringLiteral("0:Договоры;0:Мои шаблоны;0:Журнал документов;"));
        QVERIFY(MessageBox::takeMessages().isEmpty());
    }

    void excludingAFolderAsksUnderTheProgramsName() {
        QString shown;
        OpenLibrary([&shown](QDialog &d) {
            CLibraryDialog &lib = AsLibrary(d);
            Select(lib, QStringLiteral("Договоры"));
            MessageBox::setNextAnswer(MessageBox::No);
            Child<QPushButton>(d, "remove")->click();
            shown = Shown(lib);
            Child<QPushButton>(d, "cancel")->click();
        });
        QCOMPARE(MessageBox::lastQuestionTitle(), QStringLiteral("ДРАВО Договор"));
        QCOMPARE(MessageBox::takeMessages(),
                 QStringList{QStringLiteral("\n   Исключить папку из библиотеки?")});
        QCOMPARE(shown, QStringLiteral("0:Договоры;0:Мои шаблоны;0:Журнал документов;"));
    }

    void importATextContract() {
        QString shown;
        OpenLibrary([&shown](QDialog &d) {
            CLibraryDialog &lib = AsLibrary(d);
            Select(lib, QStringLiteral("Мои шаблоны"));
            FileDialog::setNextFileName(
                QStringLiteral(DRAVO_SOURCE_DIR "/resources/library/lease.txt"));
            Child<QPushButton>(d, "import")->click();
            shown = Shown(lib);
            Child<QPushButton>(d, "cancel")->click();
        });
        QCOMPARE(shown, QStringLiteral("0:Договоры;0:Мои шаблоны;0:lease;0:Журнал документов;"));
        QVERIFY(QFileInfo::exists(Templates(QStringLiteral("lease"))));
    }

    // A text with a character windows-1251 lacks: the message names it and its line, and the
    // library and its folder stay as they were.
    void importRefusesACharacterTheCodePageLacks() {
        QFile lease(QStringLiteral(DRAVO_SOURCE_DIR "/resources/library/lease.txt"));
        QVERIFY(lease.open(QIODevice::ReadOnly));
        const QString source = m_dir.path() + QStringLiteral("/rent.txt");
        QFile rent(source);
        QVERIFY(rent.open(QIODevice::WriteOnly));
        rent.write(QStringLiteral("Аренда 😀\n").toUtf8() + lease.readAll());
        rent.close();
        MessageBox::takeMessages();
        QString shown;
        OpenLibrary([&shown, source](QDialog &d) {
            CLibraryDialog &lib = AsLibrary(d);
            Select(lib, QStringLiteral("Мои шаблоны"));
            FileDialog::setNextFileName(source);
            Child<QPushButton>(d, "import")->click();
            shown = Shown(lib);
            Child<QPushButton>(d, "cancel")->click();
        });
        QCOMPARE(shown, QStringLiteral("0:Договоры;0:Мои шаблоны;0:lease;0:Журнал документов;"));
        QVERIFY(!QFileInfo::exists(Templates(QStringLiteral("rent"))));
        const QStringList messages = MessageBox::takeMessages();
        // Its message alone: the text is not "not recognised".
        QVERIFY2(messages.size() == 1 &&
                     messages.first().startsWith(QStringLiteral("Строка 1: Символ (U+1F600)")),
                 qPrintable(messages.join(QLatin1Char('|'))));
    }
};

DRAVO_APP_TEST_MAIN(LibraryDraftingTest)
#include "library_drafting_test.moc"
