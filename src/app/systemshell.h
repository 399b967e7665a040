// Handing files and addresses to the desktop (the web browser, the mail program, the default
// program of a file type). Tests record the requests instead.
#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

namespace dravo {

// The product's web site and the support address.
inline constexpr char kWebSite[] = "https://dravo-dogovor.ru/";
inline constexpr char kSupportMail[] = "support@dravo-dogovor.ru";

class SystemShell {
  public:
    // False when the desktop has no program for the address (no web browser, no mail program).
    static bool Open(const QUrl &url);
    // Starts a program with arguments, detached.
    static bool Start(const QString &program, const QStringList &arguments);
    static void setTestMode(bool on);
    // In test mode: what the following requests answer, as a desktop without those programs.
    static void setTestResult(bool opened);
    static QList<QUrl> takeOpened();
    // The programs started (program, then its arguments) since the last call.
    static QList<QStringList> takeStarted();
};

} // namespace dravo
