// The main window: menus 128 and 129, enabling by the active document's kind, the toolbar and
// its captions, the bar settings written at exit, document windows, save-as refusals, closing a
// modified document and the open-document search.
#include "apptest.h"

#include "app/childframe.h"
#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/filedialog.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "app/printing.h"
#include "app/shell.h"
#include "app/systemshell.h"
#include "core/body_io.h"
#include "core/text.h"
#include "core/user.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrlQuery>

using namespace dravo;

namespace {

// A popup as "text|id" entries, separators as "-".
QStringList Describe(QMenu *menu) {
    QStringList out;
    for (QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-")
                                 : a->text() + QLatin1Char('|') + a->data().toString());
    return out;
}

QAction *FindAction(CMainFrame &frame, int id) {
    for (QMenu *m : frame.Popups())
        for (QAction *a : m->actions())
            if (!a->isSeparator() && a->data().toInt() == id)
                return a;
    return nullptr;
}

void OpenAllPopups(CMainFrame &frame) {
    for (QMenu *m : frame.Popups())
        frame.UpdatePopup(m);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;

  private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        apptest::FreshDataFolder(m_dir.path());
        Shell().activeKind = TemplateDocument;
        Shell().highlightVariable = true;
        MessageBox::takeMessages();
    }

    void menu128WhileNoDocumentIsOpen() {
        CMainFrame frame;
        QCOMPARE(frame.MenuBarId(), 128);
        const QList<QMenu *> popups = frame.Popups();
        QCOMPARE(popups.size(), 2);
        QCOMPARE(popups[0]->title(), QStringLiteral("&Документ"));
        QCOMPARE(Describe(popups[0]),
                 (QStringList{"&Библиотека\tCtrl-O|2069", "&Журнал|2052", "Сетевая работа...|215",
                              "-", "&Выход\tAlt-F4|57665"}));
        QCOMPARE(popups[1]->title(), QStringLiteral("&Помощь"));
        QCOMPARE(Describe(popups[1]),
                 (QStringList{"&Помощь\tF1|57667", "&Совет дня|104", "-", "Сайт программы...|214",
                              "Задать вопрос...|212", "-", "&О программе...|57664"}));
        // Even after a registered document was active, position 1 keeps the journal.
        Shell().activeKind = RegisteredDocument;
        OpenAllPopups(frame);
        QCOMPARE(popups[0]->actions().at(1)->data().toInt(), int(ID_JOURNAL));
    }

    void menu129WhileADocumentIsOpen() {
        CMainFrame frame;
        CHolderView *view = frame.NewDocument();
        QVERIFY(view);
        QCOMPARE(frame.MenuBarId(), 129);
        QStringList titles;
        for (QMenu *m : frame.Popups())
            titles << m->title();
        QCOMPARE(titles, (QStringList{"&Документ", "Д&анные", "&Журнал", "&Настройка", "&Окно",
                                      "&Помощь"}));
        const QList<QMenu *> p = frame.Popups();
        QCOMPARE(Describe(p[0]),
                 (QStringList{"&Библиотека\tCtrl-0|2069", "Открыть &в Microsoft Word|2042",
                              "Сохранить в PDF...|2074", "&Сетевая работа...|215", "-",
                              "П&редварительный просмотр|57609", "&Печать...\tCtrl-P|57607",
                              "Пар&аметры печати|57606", "-", "Сохранить\tCtrl+S|57603",
                              "Сохранить &как...|57604", "-", "В&ыход\tAlt-F4|57665"}));
        QCOMPARE(Describe(p[1]),
                 (QStringList{"&Установочные данные\tF3|2004", "&Реквизиты пользователя|2003",
                              "&Выбор контрагента\tF5|2005", "-", "&Изменяемые данные\tF4|2007",
                              "&Предмет|2057"}));
        QCOMPARE(Describe(p[2]), (QStringList{"&Журнал|2052", "&Параметры журнала|2067", "-",
                                              "&Зарегистрировать документ...|2054"}));
        QCOMPARE(Describe(p[3]),
                 (QStringList{"Шрифт          |2001", "Абзац|2002", "&Страница|2008", "-",
                              "Стили &форматирования\tF7|2011", "Подсветка текста\tF8|2058", "-",
                              "&Панель инструментов|59392", "Подписи к &копкам панели|2071",
                              "&Строка состояния|59393"}));
        QCOMPARE(Describe(p[4]),
                 (QStringList{"&Новое окно|57648", "&Упорядочить|57650", "&Разделить|57651", "-",
                              "&1 " + view->GetDocument()->Title() + "|65280"}));
        // Closing the last document brings menu 128 back.
        for (CChildFrame *f : frame.Frames())
            QVERIFY(f->close());
        QTRY_COMPARE(frame.MenuBarId(), 128);
    }

    void secondItemFollowsTheKind() {
        CMainFrame frame;
        CHolderView *view = frame.NewDocument();
        QMenu *doc = frame.Popups().first();
        Shell().activeKind = RegisteredDocument;
        frame.UpdatePopup(doc);
        QCOMPARE(doc->actions().at(1)->text(), QStringLiteral("Открыть в Microsoft &Explorer"));
        QCOMPARE(doc->actions().at(1)->data().toInt(), int(ID_OPEN_IN_BROWSER));
        QVERIFY(doc->actions().at(1)->isEnabled());
        Shell().activeKind = view->GetDocument()->Kind();
        frame.UpdatePopup(doc);
        QCOMPARE(doc->actions().at(1)->text(), QStringLiteral("Открыть в Microsoft &Word"));
        QCOMPARE(doc->actions().at(1)->data().toInt(), int(ID_OPEN_IN_WORD));
    }

    void enablingFollowsTheKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("grayed");
        QTest::addColumn<QList<int>>("enabled");
        const QList<int> always = {ID_PRINT,          ID_PRINT_PREVIEW, ID_PRINT_SETUP,
                                   ID_PAGE_SETUP,     ID_NEW_WINDOW,    ID_CASCADE,
                                   ID_TILE,           ID_VIEW_TOOLBAR,  ID_TOOLBAR_TEXT,
                                   ID_VIEW_STATUSBAR, ID_EXIT,          ID_HELP};
        const QList<int> journal = {ID_JOURNAL, ID_JOURNAL_PARAMETERS, ID_REGISTER};
        QTest::newRow("template") << int(TemplateDocument) << QList<int>{}
                                  << (always + journal +
                                      QList<int>{ID_HIGHLIGHT, ID_FILE_SAVE_AS, ID_FONT,
                                                 ID_PARAGRAPH, ID_STYLES});
        QTest::newRow("journal") << int(JournalDocument)
                                 << QList<int>{ID_SETUP_DATA,   ID_USER_REQUISITES,
                                               ID_COUNTERPARTY, ID_VARIABLE_DATA,
                                               ID_SUBJECT,      ID_FILE_SAVE_AS}
                                 << (always + journal +
                                     QList<int>{ID_HIGHLIGHT, ID_FONT, ID_PARAGRAPH, ID_STYLES});
        for (int kind : {int(RegisteredDocument), int(StoredFileDocument), int(CaseDocument)})
            QTest::newRow(qPrintable(QStringLiteral("kind %1").arg(kind)))
                << kind << QList<int>{ID_SETUP_DATA,    ID_USER_REQUISITES, ID_COUNTERPARTY,
                                      ID_VARIABLE_DATA, ID_SUBJECT,         ID_FONT,
                                      ID_PARAGRAPH,     ID_STYLES,          ID_HIGHLIGHT}
                << (always + QList<int>{ID_FILE_SAVE_AS});
    }

    void enablingFollowsTheKind() {
        QFETCH(int, kind);
        QFETCH(QList<int>, grayed);
        QFETCH(QList<int>, enabled);
        CMainFrame frame;
        CHolderView *view = frame.NewDocument();
        view->GetDocument()->SetKind(kind);
        Shell().activeKind = kind;
        OpenAllPopups(frame);
        for (int id : grayed) {
            QVERIFY2(!frame.CommandEnabled(id), qPrintable(QString::number(id)));
            if (QAction *a = FindAction(frame, id))
                QVERIFY2(!a->isEnabled(), qPrintable(QString::number(id)));
        }
        for (int id : enabled) {
            QVERIFY2(frame.CommandEnabled(id), qPrintable(QString::number(id)));
            if (QAction *a = FindAction(frame, id))
                QVERIFY2(a->isEnabled(), qPrintable(QString::number(id)));
        }
    }

    // The kind rule grays menu items only: an accelerator or a toolbar button runs what the
    // command does for that kind (F8 toggles the highlighting of any document; F3 on a journal
    // opens its parameters, where this build carries them).
    void acceleratorsAndToolbarRunWhatTheKindGets() {
        CMainFrame frame;
        frame.show();
        CHolderView *view = frame.NewDocument();
        QAction *f8 = nullptr;
        for (QAction *a : frame.actions())
            if (a->shortcut() == QKeySequence(Qt::Key_F8))
                f8 = a;
        QVERIFY(f8);
        view->GetDocument()->SetKind(RegisteredDocument);
        Shell().activeKind = RegisteredDocument;
        OpenAllPopups(frame);
        QVERIFY(!FindAction(frame, ID_HIGHLIGHT)->isEnabled());
        const bool highlight = Shell().highlightVariable;
        f8->trigger();
        QCOMPARE(Shell().highlightVariable, !highlight);

        view->GetDocument()->SetKind(JournalDocument);
        Shell().activeKind = JournalDocument;
        frame.MdiArea()->setActiveSubWindow(nullptr);
        frame.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(view->parentWidget()));
        OpenAllPopups(frame);
        QVERIFY(!FindAction(frame, ID_SETUP_DATA)->isEnabled());
        QAction *setup = nullptr;
        for (QAction *a : frame.ToolBar()->actions())
            if (a->data().toInt() == ID_SETUP_DATA)
                setup = a;
        QVERIFY(setup);
        QCOMPARE(setup->isEnabled(), CommandImplemented(ID_JOURNAL_PARAMETERS));
        QCOMPARE(frame.CommandAvailable(ID_SETUP_DATA), CommandImplemented(ID_JOURNAL_PARAMETERS));
        // A registered contract has nothing behind F3.
        view->GetDocument()->SetKind(RegisteredDocument);
        frame.MdiArea()->setActiveSubWindow(nullptr);
        frame.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(view->parentWidget()));
        QVERIFY(!setup->isEnabled());
        QVERIFY(!frame.CommandAvailable(ID_SETUP_DATA));
    }

    // With the captions off a button shows only its picture: disabled, the picture fades.
    void disabledButtonsLookDisabledWithoutCaptions() {
        CMainFrame frame;
        frame.SetShowToolbarText(false);
        frame.show();
        frame.NewDocument();
        QAction *print = nullptr;
        for (QAction *a : frame.ToolBar()->actions())
            if (a->data().toInt() == ID_PRINT)
                print = a;
        QVERIFY(print && print->isEnabled());
        QWidget *button = frame.ToolBar()->widgetForAction(print);
        // How far the button's pixels stand from its background.
        auto ink = [button] {
            const QImage image = button->grab().toImage();
            const QRgb background = image.pixel(1, 1);
            qint64 sum = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb c = image.pixel(x, y);
                    sum += qAbs(qRed(c) - qRed(background)) + qAbs(qGreen(c) - qGreen(background)) +
                           qAbs(qBlue(c) - qBlue(background));
                }
            return sum;
        };
        const qint64 enabled = ink();
        print->setEnabled(false);
        const qint64 disabled = ink();
        QVERIFY2(disabled * 2 < enabled,
                 qPrintable(QStringLiteral("%1 against %2").arg(disabled).arg(enabled)));
    }

    void activatingAViewSetsTheActiveKind() {
        CMainFrame frame;
        frame.show();
        CHolderView *first = frame.NewDocument();
        CHolderView *second = frame.NewDocument();
        second->GetDocument()->SetKind(StoredFileDocument);
        frame.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
        frame.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(second->parentWidget()));
        QCOMPARE(Shell().activeKind, int(StoredFileDocument));
        // A stored-file document switches the highlighting off.
        QVERIFY(!Shell().highlightVariable);
        frame.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
        QCOMPARE(Shell().activeKind, int(TemplateDocument));
    }

    void checkMarksFollowTheState() {
        CMainFrame frame;
        frame.NewDocument();
        OpenAllPopups(frame);
        QVERIFY(FindAction(frame, ID_HIGHLIGHT)->isChecked());
        QVERIFY(FindAction(frame, ID_TOOLBAR_TEXT)->isChecked());
        QVERIFY(FindAction(frame, ID_VIEW_TOOLBAR)->isChecked());
        QVERIFY(FindAction(frame, ID_VIEW_STATUSBAR)->isChecked());
        frame.OnCommand(ID_HIGHLIGHT);
        frame.OnCommand(ID_VIEW_STATUSBAR);
        OpenAllPopups(frame);
        QVERIFY(!FindAction(frame, ID_HIGHLIGHT)->isChecked());
        QVERIFY(!FindAction(frame, ID_VIEW_STATUSBAR)->isChecked());
    }

    void toolbarHasNineCaptionedButtons() {
        CMainFrame frame;
        frame.show();
        QStringList captions;
        QList<int> ids;
        for (QAction *a : frame.ToolBar()->actions()) {
            captions << a->iconText();
            ids << a->data().toInt();
            QVERIFY(!a->icon().isNull());
        }
        QCOMPARE(captions, (QStringList{"Библиотека", "Печать", "Установка", "Фрагменты",
                                        "Субъекты", "Журнал", "Стили", "Помощь", "Выход"}));
        QCOMPARE(ids, (QList<int>{2069, 57607, 2004, 2007, 2005, 2052, 2011, 57667, 57665}));
        QAction *print = frame.ToolBar()->actions().at(1);
        QCOMPARE(print->toolTip(), QStringLiteral("Печать"));
        QCOMPARE(print->statusTip(), QStringLiteral("Печатать активного документа"));
        QWidget *button = frame.ToolBar()->widgetForAction(print);
        QCOMPARE(frame.ToolBar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(button->size(), QSize(66, 45));
        frame.OnCommand(ID_TOOLBAR_TEXT);
        QCOMPARE(frame.ToolBar()->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(button->size(), QSize(44, 34));
        QCOMPARE(frame.ToolBar()->iconSize(), QSize(36, 28));
    }

    void barSettingsAreWrittenAtExit() {
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowToolbarText), 1);
        {
            CMainFrame frame;
            frame.show();
            frame.OnCommand(ID_VIEW_TOOLBAR);
            frame.OnCommand(ID_TOOLBAR_TEXT);
        }
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowToolbar), 1); // the hidden flag
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowStatusbar), 0);
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowToolbarText), 0);
        {
            // The next window starts in the stored state; toggling twice returns to it.
            CMainFrame frame;
            frame.show();
            QVERIFY(!frame.ToolbarShown());
            QVERIFY(!frame.ShowToolbarText());
            frame.OnCommand(ID_VIEW_TOOLBAR);
            frame.OnCommand(ID_VIEW_TOOLBAR);
            frame.OnCommand(ID_VIEW_STATUSBAR);
        }
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowToolbar), 1);
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowStatusbar), 1);
    }

    void maximisedWindowsAreRemembered() {
        {
            CMainFrame frame;
            frame.show();
            CHolderView *view = frame.NewDocument();
            QVERIFY(!view->parentWidget()->isMaximized());
            view->parentWidget()->showMaximized();
        }
        QCOMPARE(Settings::ReadFlagSetting(setting::kMaximizeChildWindow), 1);
        CMainFrame frame;
        frame.show();
        CHolderView *first = frame.NewDocument();
        QVERIFY(first->parentWidget()->isMaximized());
        // Later windows open as the active one is.
        CHolderView *second = frame.NewDocument();
        QVERIFY(second->parentWidget()->isMaximized());
    }

    void saveAsRefusesJournalAndRegisteredDocuments_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("journalPage");
        QTest::addColumn<bool>("refused");
        QTest::newRow("registered") << int(RegisteredDocument) << false << true;
        QTest::newRow("journal") << int(JournalDocument) << false << true;
        QTest::newRow("journal page") << int(TemplateDocument) << true << true;
        QTest::newRow("template") << int(TemplateDocument) << false << false;
        QTest::newRow("stored file") << int(StoredFileDocument) << false << false;
        QTest::newRow("case") << int(CaseDocument) << false << false;
    }

    void saveAsRefusesJournalAndRegisteredDocuments() {
        QFETCH(int, kind);
        QFETCH(bool, journalPage);
        QFETCH(bool, refused);
        CMainFrame frame;
        CHolderView *view = frame.NewDocument();
        CHolderDoc *doc = view->GetDocument();
        doc->SetKind(kind);
        doc->SetJournalPage(journalPage);
        const QString path = m_dir.filePath(QStringLiteral("saved-%1").arg(kind));
        FileDialog::setNextFileName(path);
        MessageBox::takeMessages();
        QCOMPARE(frame.SaveDocumentAs(view), !refused);
        if (refused) {
            QCOMPARE(MessageBox::takeMessages(),
                     QStringList{QStringLiteral("Активный документ не является шаблоном")});
            QVERIFY(FileDialog::hasNextFileName()); // no dialog was shown
            FileDialog::GetOpenFileName(nullptr, {}, {}, {});
            QVERIFY(!QFileInfo::exists(path + QStringLiteral(".adf")));
        } else {
            QVERIFY(QFileInfo::exists(path + QStringLiteral(".adf")));
            QCOMPARE(doc->Title(), QStringLiteral("saved-%1").arg(kind));
            QCOMPARE(doc->Path(), QFileInfo(path + QStringLiteral(".adf")).absoluteFilePath());
            // The kind travels with the file.
            CBody body;
            std::string error;
            QVERIFY(LoadBodyFile(doc->Path().toStdString(), body, error));
            QCOMPARE(int(body.Paragraph(ParTitle).m_nType), kind);
        }
    }

    void failedSaveKeepsTheDocument() {
        CMainFrame frame;
        CHolderView *view = frame.NewDocument();
        CHolderDoc *doc = view->GetDocument();
        doc->SetModified(true);
        FileDialog::setNextFileName(m_dir.filePath(QStringLiteral("no/such/folder/x.adf")));
        MessageBox::takeMessages();
        QVERIFY(!frame.SaveDocumentAs(view));
        QCOMPARE(MessageBox::takeMessages().size(), 1);
        QVERIFY(doc->Modified());
        QVERIFY(doc->Path().isEmpty());
        QCOMPARE(doc->Title(), QStringLiteral("Договор %1").arg(Shell().nextNewNumber - 1));
    }

    void closingAModifiedDocumentAsks() {
        CMainFrame frame;
        CHolderView *view = frame.NewDocument();
        view->GetDocument()->SetModified(true);
        auto *window = qobject_cast<CChildFrame *>(view->parentWidget());
        MessageBox::setNextAnswer(MessageBox::Cancel);
        QVERIFY(!window->close());
        QCOMPARE(frame.Frames().size(), 1);
        QCOMPARE(MessageBox::takeMessages().size(), 1);
        // Saving under a new name, then closing.
        const QString path = m_dir.filePath(QStringLiteral("closed.adf"));
        MessageBox::setNextAnswer(MessageBox::Save);
        FileDialog::setNextFileName(path);
        QVERIFY(window->close());
        QVERIFY(QFileInfo::exists(path));
        // Closing a template records its path as the last closed document.
        CUser user;
        std::string error;
        QVERIFY(LoadUserRequisites(Roots::DataFile(QStringLiteral("usr.dat")).toStdString(), user,
                                   error));
        QCOMPARE(QString::fromStdString(ToUtf8(user.Text(CUser::LastDocument))),
                 QFileInfo(path).absoluteFilePath());
    }

    void newWindowSharesTheDocument() {
        CMainFrame frame;
        frame.show();
        CHolderView *view = frame.NewDocument();
        frame.OnCommand(ID_NEW_WINDOW);
        QCOMPARE(frame.Frames().size(), 2);
        QCOMPARE(frame.Frames().at(1)->View()->GetDocument(), view->GetDocument());
        const QString title = view->GetDocument()->Title();
        QCOMPARE(frame.Frames().at(0)->windowTitle(), title + QStringLiteral(":1"));
        QCOMPARE(frame.Frames().at(1)->windowTitle(), title + QStringLiteral(":2"));
        // Closing one of two windows asks nothing even when modified; the one left drops ":1".
        view->GetDocument()->SetModified(true);
        QVERIFY(frame.Frames().at(1)->close());
        QVERIFY(MessageBox::takeMessages().isEmpty());
        QTRY_COMPARE(frame.Frames().size(), 1);
        QTRY_COMPARE(frame.Frames().at(0)->windowTitle(), title);
        view->GetDocument()->SetModified(false);
    }

    // The main window names the active document once: "ДРАВО Договор - [Договор 1]" while its
    // window is maximised, "ДРАВО Договор - Договор 1" otherwise.
    void mainTitleNamesTheDocumentOnce() {
        CMainFrame frame;
        frame.show();
        CHolderView *view = frame.NewDocument();
        const QString title = view->GetDocument()->Title();
        QCOMPARE(frame.windowTitle(), QStringLiteral("ДРАВО Договор - ") + title);
        view->parentWidget()->showMaximized();
        QTRY_COMPARE(frame.windowTitle(), QStringLiteral("ДРАВО Договор - [%1]").arg(title));
        frame.OnCommand(ID_NEW_WINDOW); // opens maximised, as the active one is
        QTRY_COMPARE(frame.windowTitle(), QStringLiteral("ДРАВО Договор - [%1:2]").arg(title));
        QVERIFY(frame.Frames().at(1)->close());
        QTRY_COMPARE(frame.windowTitle(), QStringLiteral("ДРАВО Договор - [%1]").arg(title));
        frame.Frames().at(0)->showNormal();
        QTRY_COMPARE(frame.windowTitle(), QStringLiteral("ДРАВО Договор - ") + title);
    }

    // The window menu lists the open document windows; choosing one brings it forward, also
    // from behind a maximised window.
    void windowMenuListsTheDocumentWindows() {
        CMainFrame frame;
        frame.show();
        CHolderView *first = frame.NewDocument();
        first->GetDocument()->SetTitle(QStringLiteral("Купля & продажа"));
        frame.Frames().at(0)->UpdateCaption();
        CHolderView *second = frame.NewDocument();
        frame.Frames().at(1)->showMaximized();
        QMenu *windows = frame.Popups().at(4);
        frame.UpdatePopup(windows);
        QStringList list;
        QList<QAction *> entries;
        for (QAction *a : windows->actions().mid(3)) {
            list << (a->isSeparator() ? QStringLiteral("-")
                                      : a->text() + (a->isChecked() ? "|on" : "|off"));
            if (!a->isSeparator())
                entries << a;
        }
        QCOMPARE(list, (QStringList{"-", "&1 Купля && продажа|off",
                                    "&2 " + second->GetDocument()->Title() + "|on"}));
        entries.at(0)->trigger();
        QCOMPARE(frame.ActiveView(), first);
        // Opened again, the menu shows the new state once, not twice.
        frame.UpdatePopup(windows);
        QCOMPARE(windows->actions().size(), 6);
        QVERIFY(windows->actions().at(4)->isChecked());
        QVERIFY(windows->actions().at(4)->isEnabled());
    }

    void findOpenDocument_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("exact") << QStringLiteral("Договор купли-продажи") << true;
        QTest::newRow("other case") << QStringLiteral("ДОГОВОР КУПЛИ-ПРОДАЖИ") << true;
        QTest::newRow("with extension") << QStringLiteral("Договор купли-продажи.adf") << false;
        QTest::newRow("other") << QStringLiteral("Договор аренды") << false;
    }

    void findOpenDocument() {
        QFETCH(QString, name);
        QFETCH(bool, found);
        CMainFrame frame;
        frame.show();
        CHolderView *sample = frame.OpenDocument(apptest::SampleTemplate());
        QVERIFY(sample);
        frame.NewDocument();
        QCOMPARE(frame.FindOpenDocument(name, 0), found);
        if (found) {
            QCOMPARE(frame.ActiveView(), sample);
            QVERIFY(frame.FindOpenDocument(name, 1));
            QVERIFY(sample->parentWidget()->isMinimized());
        }
    }

    void helpSiteMailAndBrowserGoToTheDesktop() {
        CMainFrame frame;
        SystemShell::takeOpened();
        frame.OnCommand(ID_HELP);
        QList<QUrl> opened = SystemShell::takeOpened();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].isLocalFile());
        QFile help(opened[0].toLocalFile());
        QVERIFY(help.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(help.readAll()).contains(QStringLiteral("ДРАВО Договор")));

        frame.OnCommand(ID_WEB_SITE);
        frame.OnCommand(ID_MAIL);
        opened = SystemShell::takeOpened();
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[0].scheme(), QStringLiteral("https"));
        QCOMPARE(opened[1].scheme(), QStringLiteral("mailto"));
        QCOMPARE(QUrlQuery(opened[1]).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Вопрос по ДРАВО Договор"));

        // A registered contract's page goes to the web browser, with its code page named.
        CHolderView *view = frame.OpenDocument(apptest::SampleTemplate());
        QVERIFY(apptest::WaitForPage(view));
        view->GetDocument()->SetKind(RegisteredDocument);
        Shell().activeKind = RegisteredDocument;
        frame.OnCommand(ID_OPEN_IN_BROWSER);
        opened = SystemShell::takeOpened();
        QCOMPARE(opened.size(), 1);
        QFile page(opened[0].toLocalFile());
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray bytes = page.readAll();
        QVERIFY(bytes.contains("charset=windows-1251"));
        QVERIFY(bytes.contains(std::string("ДОГОВОР"_w).c_str()));
    }

    // "Параметры печати" sets up the printer and the paper and prints nothing; printing to a
    // PDF file then writes the web engine's own vector PDF (fonts, no page bitmaps), with the
    // busy cursor on while the pages are made.
    void printSetupThenPrintToAPdfFile() {
        CMainFrame frame;
        frame.show();
        CHolderView *view = frame.OpenDocument(apptest::SampleTemplate());
        QVERIFY(apptest::WaitForPage(view));
        const QString pdf = m_dir.filePath(QStringLiteral("договор.pdf"));
        QStringList buttons;
        DialogSeam::setNextScript([&](QDialog &dialog) {
            for (QPushButton *b : dialog.findChildren<QPushButton *>())
                buttons << b->text();
            auto *printer = dialog.findChild<QComboBox *>(QStringLiteral("printer"));
            printer->setCurrentIndex(printer->count() - 1); // the PDF file
            dialog.findChild<QLineEdit *>(QStringLiteral("file"))->setText(pdf);
            dialog.findChild<QPushButton *>(QStringLiteral("ok"))->click();
        });
        frame.OnCommand(ID_PRINT_SETUP);
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QVERIFY(!buttons.isEmpty());
        for (const QString &b : buttons)
            QVERIFY2(!b.contains(QStringLiteral("Печат")) && !b.contains(QStringLiteral("Print")),
                     qPrintable(b));
        QVERIFY(!QFileInfo::exists(pdf)); // set up, not printed
        QVERIFY(PrintsToFile(*frame.Printer()));
        QCOMPARE(frame.Printer()->outputFileName(), pdf);

        bool busy = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&busy] {
            if (QGuiApplication::overrideCursor() &&
                QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor)
                busy = true;
        });
        watch.start(5);
        // The preview draws its pages, busy meanwhile, and writes no file.
        DialogSeam::setNextScript([](QDialog &dialog) { dialog.reject(); });
        frame.OnCommand(ID_PRINT_PREVIEW);
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QVERIFY(busy);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!QFileInfo::exists(pdf));
        busy = false;
        // The print dialog confirmed as it stands (its own accept would read its controls).
        DialogSeam::setNextScript([](QDialog &dialog) { dialog.done(QDialog::Accepted); });
        frame.OnCommand(ID_PRINT);
        watch.stop();
        QVERIFY(MessageBox::takeMessages().isEmpty());
        QVERIFY(busy);
        QVERIFY(!QGuiApplication::overrideCursor());
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY2(bytes.contains("/Font"), "no fonts: the text is not selectable");
        QVERIFY2(!bytes.contains("/Subtype /Image") && !bytes.contains("/Subtype/Image"),
                 "pages as pictures");
        if (qEnvironmentVariableIsSet("DRAVO_KEEP_PDF"))
            QFile::copy(pdf, qEnvironmentVariable("DRAVO_KEEP_PDF"));
        QVERIFY2(bytes.size() < 1024 * 1024, QByteArray::number(bytes.size()).constData());
    }

    // A desktop without a web browser or a mail program: each request says so.
    void noBrowserOrMailProgramIsSaid() {
        CMainFrame frame;
        CHolderView *view = frame.NewDocument();
        SystemShell::setTestResult(false);
        for (int id : {ID_HELP, ID_WEB_SITE, ID_MAIL})
            frame.OnCommand(id);
        view->GetDocument()->SetKind(RegisteredDocument);
        Shell().activeKind = RegisteredDocument;
        frame.OnCommand(ID_OPEN_IN_BROWSER);
        SystemShell::setTestResult(true);
        QCOMPARE(SystemShell::takeOpened().size(), 4);
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.size(), 4);
        QVERIFY(
            messages[0].startsWith(QStringLiteral("Не найден веб-браузер, чтобы открыть помощь")));
        QVERIFY(messages[1].contains(QString::fromLatin1(kWebSite)));
        QVERIFY(messages[2].contains(QString::fromLatin1(kSupportMail)));
        QVERIFY(messages[3].startsWith(QStringLiteral("Не найден веб-браузер")));
    }

    // The reader program opens files: a template never saved is asked to be saved first.
    void readerProgramNeedsASavedTemplate() {
        CMainFrame frame;
        CHolderView *view = frame.NewDocument();
        view->OnDirRekv(8);
        QCOMPARE(MessageBox::takeMessages(),
                 QStringList{QStringLiteral("Шаблон еще не сохранен в файл. Сохраните его, чтобы "
                                            "открыть в программе Dravo Document.")});
    }

    void openingABrokenFileSaysSoAndGoesOn() {
        const QString path = m_dir.filePath(QStringLiteral("broken.adf"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ADF2.2 this is not a template");
        f.close();
        CMainFrame frame;
        QVERIFY(!frame.OpenDocument(path));
        QCOMPARE(MessageBox::takeMessages().size(), 1);
        QCOMPARE(frame.Frames().size(), 0);
        QVERIFY(frame.NewDocument());
    }
};

DRAVO_APP_TEST_MAIN(WindowTest)
#include "window_test.moc"
