#include "app/desktop.h"

#include "core/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace dravo {

namespace {

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteIfDifferent(const QString &path, const QByteArray &content) {
    if (content.isEmpty())
        return false;
    if (QFileInfo::exists(path) && ReadAll(path) == content)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::string error;
    return WriteFileAtomically(QFile::encodeName(path).toStdString(), content.toStdString(), error);
}

// Runs a desktop cache tool when the system has it; nothing waits for it.
void RunTool(const QString &tool, const QStringList &args) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        return;
    QProcess process;
    process.setProgram(path);
    process.setArguments(args);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

} // namespace

DesktopFiles DesktopFileLocations() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {data + QStringLiteral("/mime/packages/dravo-adf.xml"),
            data + QStringLiteral("/applications/dravo.desktop"),
            data + QStringLiteral("/icons/hicolor/scalable/apps/dravo.svg"),
            data + QStringLiteral(
                       "/icons/hicolor/scalable/mimetypes/application-x-dravo-template.svg")};
}

QByteArray MimePackageText() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-dravo-template\">\n"
        "    <comment>Шаблон документа</comment>\n"
        "    <comment xml:lang=\"ru\">Шаблон документа</comment>\n"
        "    <icon name=\"application-x-dravo-template\"/>\n"
        "    <glob pattern=\"*.adf\"/>\n"
        "    <glob pattern=\"*.ADF\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

QByteArray DesktopEntryText(const QString &executable) {
    QString exec = executable;
    // Quoting rules of desktop entries: quote the path, escape what the quotes do not protect.
    exec.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""))
        .replace(QLatin1Char('`'), QStringLiteral("\\`"))
        .replace(QLatin1Char('$'), QStringLiteral("\\$"));
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=ДРАВО Договор\n"
                                  "Comment=Составление договоров по шаблонам\n"
                                  "Exec=\"%1\" %f\n"
                                  "Icon=dravo\n"
                                  "Terminal=false\n"
                                  "Categories=Office;\n"
                                  "MimeType=application/x-dravo-template;\n")
                       .arg(exec);
    return text.toUtf8();
}

QStringList RegisterDocumentType(const QString &executable) {
    const DesktopFiles files = DesktopFileLocations();
    QStringList written;
    if (WriteIfDifferent(files.mimePackage, MimePackageText()))
        written << files.mimePackage;
    if (WriteIfDifferent(files.desktopEntry, DesktopEntryText(executable)))
        written << files.desktopEntry;
    if (WriteIfDifferent(files.appIcon, ReadAll(QStringLiteral(":/icons/dravo.svg"))))
        written << files.appIcon;
    if (WriteIfDifferent(files.mimeIcon, ReadAll(QStringLiteral(":/icons/template.svg"))))
        written << files.mimeIcon;
    if (written.contains(files.mimePackage))
        RunTool(QStringLiteral("update-mime-database"),
                {QFileInfo(files.mimePackage).absolutePath() + QStringLiteral("/..")});
    if (written.contains(files.desktopEntry))
        RunTool(QStringLiteral("update-desktop-database"),
                {QFileInfo(files.desktopEntry).absolutePath()});
    return written;
}

} // namespace dravo
