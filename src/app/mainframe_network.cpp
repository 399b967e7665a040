// Network work in the main window: command 215 and what follows a move of the roots.
#include "app/childframe.h"
#include "app/database_location.h"
#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/network_dialogs.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/mainframe.h"
#include "app/messagebox.h"
#include "app/roots.h"
#include "app/settings.h"
#include "app/shell.h"
#include "core/text.h"
#include "core/user.h"
#include "refdata/schema.h"

#include <QSettings>
#include <set>

namespace dravo {

namespace {

QString DatabaseServerSetting() {
    return QSettings().value(QStringLiteral("Settings/") + setting::kDatabaseServer).toString();
}

// The views of the windows still open (a window given the close command goes later).
QList<CHolderView *> OpenViews() {
    QList<CHolderView *> views;
    for (CHolderView *v : CHolderView::AllViews())
        if (auto *f = qobject_cast<CChildFrame *>(v->parentWidget()); f && !f->isHidden())
            views << v;
    return views;
}

QString FallbackMessage(const RootFallback &f) {
    QString computer = f.computer;
    while (computer.startsWith(QLatin1Char('\\')) || computer.startsWith(QLatin1Char('/')))
        computer.remove(0, 1);
    const QString what = f.templates ? QStringLiteral("Библиотека шаблонов на компьютере %1 "
                                                      "недоступна: используется библиотека "
                                                      "этого компьютера.")
                                     : QStringLiteral("База данных субъектов на компьютере %1 "
                                                      "недоступна: используется база данных "
                                                      "этого компьютера.");
    if (computer.isEmpty() || computer.contains(QLatin1Char('\\')))
        return what.arg(QStringLiteral("\"%1\"").arg(f.computer));
    return what.arg(computer) +
           QStringLiteral("\nЧтобы работать с данными этого компьютера, подключите его общую "
                          "папку \"Dravo\" (smb://%1/Dravo) и выберите его снова в окне "
                          "\"Сетевая работа\".")
               .arg(computer);
}

} // namespace

void CMainFrame::CmdNetwork() {
    CheckNetworkRoots();
    NetworkDialog dialog(int(Frames().size()), this);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return;
    const QString oldTemplates = Roots::TemplatesRoot();
    const QString oldDatabase = Roots::DatabaseRoot();
    const QString oldServer = DatabaseServerSetting();
    dialog.State().Store();
    Settings::Sync();
    if (dialog.CloseDocuments()) {
        // Each window gets the close command: a modified document asks to be saved, and one
        // the user keeps stays open. They close before the roots move, so what a closing
        // document records (the last template closed, the journal page's formats) goes to
        // the environment it came from.
        for (CChildFrame *f : Frames())
            f->close();
    }
    const QList<RootFallback> fallbacks = Roots::Resolve();
    AfterRootsMoved(oldTemplates, oldDatabase, DatabaseServerSetting() != oldServer, fallbacks);
}

void CMainFrame::CheckNetworkRoots() {
    const QString oldTemplates = Roots::TemplatesRoot();
    const QString oldDatabase = Roots::DatabaseRoot();
    const QList<RootFallback> fallbacks = Roots::FallBackUnreachable();
    if (!fallbacks.isEmpty())
        AfterRootsMoved(oldTemplates, oldDatabase, false, fallbacks);
}

void CMainFrame::AfterRootsMoved(const QString &oldTemplatesRoot, const QString &oldDatabaseRoot,
                                 bool databaseServerChanged, const QList<RootFallback> &fallbacks) {
    for (const RootFallback &f : fallbacks)
        MessageBox::Warning(this, FallbackMessage(f));
    // The databases where the roots now point, made or completed as at start-up.
    if (Roots::TemplatesRoot() != oldTemplatesRoot || Roots::DatabaseRoot() != oldDatabaseRoot)
        for (const QString &failure :
             refdata::EnsureDatabases(Roots::TemplatesRoot(), Roots::DatabaseRoot()))
            MessageBox::Information(
                this, QStringLiteral("Не удалось подготовить файл базы данных\n") + failure);

    // The value lists belong to the templates environment: those of the old one go back to
    // its file, those of the new one are read. When the old file cannot be written (its
    // computer is gone) the lists in hand are kept, so no value is lost.
    if (Roots::TemplatesRoot() != oldTemplatesRoot) {
        std::string error;
        const std::string oldFile =
            (oldTemplatesRoot + QStringLiteral("/Data/buff.dat")).toStdString();
        if (SaveLists(oldFile, Shell().lists, error)) {
            CBody lists;
            if (LoadListsKeepingDamaged(Roots::DataFile(QStringLiteral("buff.dat")).toStdString(),
                                        lists, error))
                Shell().lists = std::move(lists);
            else
                MessageBox::Information(this, QString::fromStdString(ToUtf8(error)));
        }
    }

    // The open documents take their database from the new place.
    if (Roots::DatabaseRoot() != oldDatabaseRoot || databaseServerChanged)
        ReopenDatabases();
    for (CHolderView *v : OpenViews())
        v->Refresh();
    DocumentsChanged();
}

void CMainFrame::ReopenDatabases() {
    const QString location = DatabaseLocation::AfterNetworkChange();
    std::set<CHolderDoc *> done;
    QStringList messages;
    const auto sink = [&messages](const QString &message) {
        if (!messages.contains(message))
            messages << message;
    };
    for (CHolderView *v : OpenViews()) {
        CHolderDoc *doc = v->GetDocument();
        if (done.insert(doc).second)
            doc->ReopenDatabase(location, sink);
    }
    for (const QString &m : messages)
        MessageBox::Information(this, m);
}

} // namespace dravo
