// Handing files and addresses to the desktop (the web browser, the mail program, the default
// program of a file type). Tests record the requests instead.
#pragma once

#include <QList>
#include <QUrl>

namespace dravo {

// The product's web site and the support address.
inline constexpr char kWebSite[] = "https://dravo-dogovor.ru/";
inline constexpr char kSupportMail[] = "support@dravo-dogovor.ru";

class SystemShell {
  public:
    static bool Open(const QUrl &url);
    static void setTestMode(bool on);
    static QList<QUrl> takeOpened();
};

} // namespace dravo
