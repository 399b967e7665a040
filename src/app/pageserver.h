// Serving the generated pages to the web views: a URL scheme handler that answers
// "dravo:/page/<key>" with the page text published under that key (windows-1251 HTML, no size
// limit), a request filter that lets the pages reach nothing but that scheme, and the one web
// profile (kept in memory only) that all document views share.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

namespace dravo {

class PageSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
  public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // Makes html the answer for key; replaces what was published before.
    void Publish(const QString &key, QByteArray html);
    void Withdraw(const QString &key);
    // The address under which key's page is requested; serial makes every refresh a new load.
    static QUrl PageUrl(const QString &key, quint64 serial);

    void requestStarted(QWebEngineUrlRequestJob *job) override;

  private:
    QHash<QString, QByteArray> m_pages;
};

// Blocks every request other than the program's own scheme.
class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
  public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
    static bool Allowed(const QUrl &url);
    int BlockedCount() const { return m_blocked; }

  private:
    int m_blocked = 0;
};

// The shared profile, created on first use; the handler and the scripts that give every page
// its window.external are installed on it.
QWebEngineProfile *PageProfile();
PageSchemeHandler *PageHandler();
LocalOnlyInterceptor *PageInterceptor();

// The script run at the creation of every page document: the web channel library and the
// window.external object that forwards the page's calls to the program.
QString ExternalBootstrapScript();

// The script that gives a page the look the generated markup was made for, by a style added
// once per document: a first-line indent (a run of no-break spaces in a small span at the head of
// a justified paragraph) is one unbreakable box, so the web engine does not stretch its spaces
// with the rest of the line; and the blocks marked with the old "hand" cursor show the pointer.
QString PageStyleScript();

} // namespace dravo
