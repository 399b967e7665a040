#include "filedlglibrary.h"

#include "app/filedialog.h"
#include "app/messagebox.h"
#include "filedlg/dravo20.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <array>

namespace dravo {

namespace {
QString g_libraryName;
QString g_lastLoaded;

// The shipped library: beside the program, in the lib folder of an installed program, in the
// build tree, then wherever the system looks.
QStringList Candidates() {
    if (!g_libraryName.isEmpty())
        return {g_libraryName};
    const QString name = QString::fromLatin1(filedlg::kLibraryName);
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList out = {programDir + QStringLiteral("/lib") + name,
                       programDir + QStringLiteral("/../lib/lib") + name};
#ifdef DRAVO_FILEDLG_DIR
    out << QStringLiteral(DRAVO_FILEDLG_DIR "/lib") + name;
#endif
    out << name;
    return out;
}
} // namespace

void FileDialogLibrary::setLibraryName(const QString &name) {
    g_libraryName = name;
}

QString FileDialogLibrary::lastLoadedFile() {
    return g_lastLoaded;
}

bool FileDialogLibrary::GetFilename(QWidget *parent, int kind, const QString &folder,
                                    QString *title, QString *path) {
    title->clear();
    path->clear();
    g_lastLoaded.clear();
    QLibrary library;
    for (const QString &candidate : Candidates()) {
        library.setFileName(candidate);
        if (library.load())
            break;
    }
    if (!library.isLoaded()) {
        MessageBox::Warning(parent, QStringLiteral("Невозможно открыть библиотеку DRAVO20.DLL"));
        return false;
    }
    g_lastLoaded = library.fileName();
    auto function =
        reinterpret_cast<filedlg::GetFilenameFunction>(library.resolve(filedlg::kExportName));
    if (!function) {
        MessageBox::Warning(
            parent, QStringLiteral("Не удалось загрузить функцию GetFilename() из DRAVO20.DLL"));
        library.unload();
        return false;
    }
    QString chosen;
    if (FileDialog::hasNextFileName()) {
        // Tests queue the choice; the library is still bound as it would be.
        chosen = FileDialog::GetOpenFileName(parent, QString(), folder, QString());
    } else {
        std::array<char, filedlg::kGetFilenameBuffer> titleBuffer{};
        std::array<char, filedlg::kGetFilenameBuffer> pathBuffer{};
        const QByteArray start = QFile::encodeName(QDir::toNativeSeparators(folder));
        // The initial folder is at most 255 bytes: a longer one leaves the choice to the system.
        function(titleBuffer.data(), pathBuffer.data(), start.size() < 256 ? start.constData() : "",
                 kind);
        titleBuffer.back() = pathBuffer.back() = '\0';
        chosen = QFile::decodeName(pathBuffer.data());
        *title = QFile::decodeName(titleBuffer.data());
    }
    library.unload();
    if (chosen.isEmpty())
        return false;
    if (title->isEmpty()) {
        const QByteArray encoded = QFile::encodeName(chosen);
        const std::string_view t = filedlg::FileTitle(
            std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size())));
        *title = QFile::decodeName(QByteArray(t.data(), static_cast<qsizetype>(t.size())));
    }
    *path = QDir::fromNativeSeparators(chosen);
    return !title->isEmpty();
}

} // namespace dravo
