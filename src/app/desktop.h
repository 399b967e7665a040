// Registration of the ".adf" document type with the desktop: a MIME type "Шаблон документа" for
// *.adf, a desktop entry that opens such files in this program, and their icons, installed in the
// user's own data folders. Rewritten only when missing or when they no longer match this program.
#pragma once

#include <QString>
#include <QStringList>

namespace dravo {

inline constexpr char kTemplateMimeType[] = "application/x-dravo-template";

struct DesktopFiles {
    QString mimePackage;  // .../mime/packages/dravo-adf.xml
    QString desktopEntry; // .../applications/dravo.desktop
    QString appIcon;      // .../icons/hicolor/scalable/apps/dravo.svg
    QString mimeIcon;     // .../icons/hicolor/scalable/mimetypes/application-x-dravo-template.svg
};

// The files under the user's data folder (XDG_DATA_HOME).
DesktopFiles DesktopFileLocations();

QByteArray MimePackageText();
QByteArray DesktopEntryText(const QString &executable);

// Writes the files that are missing or different; returns the ones written. When the MIME
// package or the entry changed, the desktop's caches are refreshed in the background.
QStringList RegisterDocumentType(const QString &executable);

} // namespace dravo
