// The file dialog library libdravo20: its one export shows the dialog of the kind and hands back
// title and path (or two empty strings), refuses a path that does not fit the caller's buffers,
// and the program binds it by name at each use, telling the user when it is missing.
#include "apptest.h"

#include "app/filedialog.h"
#include "app/filedlglibrary.h"
#include "filedlg/dravo20.h"

#include <QFileDialog>
#include <QLibrary>
#include <QLineEdit>
#include <QMessageBox>

#include <array>
#include <deque>
#include <functional>

using namespace dravo;

namespace {

QString BuiltLibrary() {
    return QStringLiteral(DRAVO_BINARY_DIR "/src/app/libdravo20");
}

// Acts on the modal windows that come up, one action each, in order. The next look is taken
// only after an action is done, so an action may wait in an event loop of its own.
void OnModals(std::deque<std::function<void(QWidget *)>> actions) {
    auto queue = std::make_shared<std::deque<std::function<void(QWidget *)>>>(std::move(actions));
    auto last = std::make_shared<QPointer<QWidget>>();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [queue, last, weak = std::weak_ptr(poll)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != *last && modal->isVisible()) {
            *last = modal;
            auto action = std::move(queue->front());
            queue->pop_front();
            action(modal);
        }
        if (auto self = weak.lock(); self && !queue->empty())
            QTimer::singleShot(20, [self] { (*self)(); });
    };
    QTimer::singleShot(20, [poll] { (*poll)(); });
}

struct Result {
    QString title, path;
};

Result Call(int kind, const QString &folder) {
    QLibrary library(BuiltLibrary());
    if (!library.load())
        qFatal("%s", qPrintable(library.errorString()));
    auto fn = reinterpret_cast<filedlg::GetFilenameFunction>(library.resolve("GetFilename"));
    if (!fn)
        qFatal("no GetFilename");
    std::array<char, filedlg::kGetFilenameBuffer> title{}, path{};
    const QByteArray start = QFile::encodeName(folder);
    fn(title.data(), path.data(), start.constData(), kind);
    return {QFile::decodeName(title.data()), QFile::decodeName(path.data())};
}

std::function<void(QWidget *)> Choose(const QString &file, QString *caption) {
    return [file, caption](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        *caption = dialog->windowTitle();
        // Typed as a user would, with its folder.
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(file);
        static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
    };
}

} // namespace

class FileDialogLibraryTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        MessageBox::takeMessages();
        FileDialogLibrary::setLibraryName(QString());
    }

    void titlesByKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::newRow("template, two dots") << 0 << "Договор.v2.adf"
                                            << "Выбор файла для создания копии  шаблона"
                                            << "Договор.v2";
        QTest::newRow("text, no dot") << 1 << "README"
                                      << "Выбор файла для преобразования в шаблон"
                                      << "README";
        QTest::newRow("any other kind is text") << 7 << "аренда.txt"
                                                << "Выбор файла для преобразования в шаблон"
                                                << "аренда";
    }
    void titlesByKind() {
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QString shown;
        OnModals({Choose(path, &shown)});
        const Result r = Call(kind, dir.path());
        QCOMPARE(shown, caption);
        QCOMPARE(r.title, title);
        QCOMPARE(r.path, path);
    }

    void cancelGivesTwoEmptyStrings() {
        OnModals({[](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); }});
        const Result r = Call(0, QString());
        QVERIFY(r.title.isEmpty());
        QVERIFY(r.path.isEmpty());
    }

    void aPathLongerThanTheBufferIsRefusedWithAMessage() {
        QTemporaryDir dir;
        QString folder = dir.path();
        while (QFile::encodeName(folder).size() < 260)
            folder += QStringLiteral("/папка-с-длинным-названием");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/a.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QString shown, message;
        OnModals({Choose(path, &shown), [&message](QWidget *w) {
                      auto *box = qobject_cast<QMessageBox *>(w);
                      QVERIFY(box);
                      message = box->text();
                      box->accept();
                  }});
        const Result r = Call(1, QString());
        QVERIFY(r.title.isEmpty());
        QVERIFY(r.path.isEmpty());
        QVERIFY2(message.contains(QStringLiteral("слишком длинный")), qPrintable(message));
    }

    void theProgramBindsTheShippedLibraryByName() {
        FileDialog::setNextFileName(QStringLiteral("/tmp/шаблон.договора.adf"));
        QString title, path;
        QVERIFY(FileDialogLibrary::GetFilename(nullptr, 0, QString(), &title, &path));
        QCOMPARE(title, QStringLiteral("шаблон.договора"));
        QCOMPARE(path, QStringLiteral("/tmp/шаблон.договора.adf"));
        QVERIFY(FileDialogLibrary::lastLoadedFile().contains(QStringLiteral("dravo20")));
        QVERIFY(MessageBox::takeMessages().isEmpty());
    }

    void aMissingLibraryOrExportIsToldAndNothingHappens() {
        QString title, path;
        FileDialogLibrary::setLibraryName(QStringLiteral("/nonexistent/libdravo20"));
        QVERIFY(!FileDialogLibrary::GetFilename(nullptr, 0, QString(), &title, &path));
        QCOMPARE(MessageBox::takeMessages(),
                 QStringList{QStringLiteral("Невозможно открыть библиотеку DRAVO20.DLL")});
        // A library without the export: the SQLite library every build has.
        FileDialogLibrary::setLibraryName(QStringLiteral("sqlite3"));
        QLibrary probe(QStringLiteral("sqlite3"), 0);
        if (!probe.load())
            QSKIP("no loadable libsqlite3 on this system");
        QVERIFY(!FileDialogLibrary::GetFilename(nullptr, 1, QString(), &title, &path));
        QCOMPARE(MessageBox::takeMessages(),
                 QStringList{
                     QStringLiteral("Не удалось загрузить функцию GetFilename() из DRAVO20.DLL")});
        QVERIFY(title.isEmpty() && path.isEmpty());
    }
};

DRAVO_APP_TEST_MAIN(FileDialogLibraryTest)
#include "filedlg_test.moc"
