#include "app/pageserver.h"

#include "app/process.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>

namespace dravo {

namespace {

// window.external: the four methods forward their integer arguments to the program; "Stolbzy"
// reads as true and does nothing when called; any other name, when called, tells the program so
// that it can say it has no answer to it. Calls made before the channel is ready are queued.
const char kExternalScript[] = R"JS(
(function () {
    if (typeof qt === 'undefined' || !qt.webChannelTransport || typeof QWebChannel === 'undefined')
        return;
    var target = null, queue = [];
    function send(name, args) {
        if (target) target[name].apply(target, args);
        else queue.push([name, args]);
    }
    new QWebChannel(qt.webChannelTransport, function (channel) {
        target = channel.objects.external;
        var pending = queue;
        queue = [];
        pending.forEach(function (c) { target[c[0]].apply(target, c[1]); });
    });
    function whole(v) { v = Number(v); return isFinite(v) ? Math.trunc(v) : 0; }
    var stolbzy = function () { return undefined; };
    stolbzy.valueOf = function () { return true; };
    stolbzy.toString = function () { return 'true'; };
    var methods = {
        Bing: function (a, c, m) { send('Bing', [whole(a), whole(c), whole(m)]); },
        CardKontr: function (id) { send('CardKontr', [whole(id)]); },
        Direc: function (id) { send('Direc', [whole(id)]); },
        DirRekv: function (n) { send('DirRekv', [whole(n)]); }
    };
    var external = new Proxy(methods, {
        get: function (t, name) {
            if (typeof name !== 'string') return undefined;
            if (name === 'Stolbzy') return stolbzy;
            if (Object.prototype.hasOwnProperty.call(t, name)) return t[name];
            if (name in Object.prototype) return Object.prototype[name];
            return function () { send('Unknown', [name]); return undefined; };
        },
        set: function () { return true; }
    });
    window.external = external;
})();
)JS";

const char kPageStyleScript[] = R"JS(
(function () {
    // "р/с" and "к/с" in the requisites: the engine would end a line after the slash, so a word
    // joiner keeps each abbreviation whole (the page's own text is left as it was generated).
    // The tables of the journal ("jt") hold no requisites and, in a journal of thousands of
    // rows, a hundred thousand text nodes: they are passed over whole.
    var root = document.body || document.documentElement;
    if (root) {
        var walker = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
            acceptNode: function (n) {
                if (n.nodeType === Node.ELEMENT_NODE)
                    return n.tagName === 'TABLE' && n.classList.contains('jt')
                               ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_SKIP;
                return n.nodeValue.indexOf('/') >= 0 ? NodeFilter.FILTER_ACCEPT
                                                     : NodeFilter.FILTER_SKIP;
            }
        });
        for (var n = walker.nextNode(); n; n = walker.nextNode())
            n.nodeValue = n.nodeValue.replace(/([\u0440\u043a])\/(\u0441)/g, '$1/\u2060$2');
    }
    if (document.getElementById('dravo-page-style')) return;
    var css = 'span[style^="font-family:Arial;font-size:8"] { display: inline-block; }\n';
    // The blocks that the page marks with the old "hand" cursor get the standard pointer.
    var hand = /([^{}]+)\{[^}]*cursor\s*:\s*hand[^}]*\}/gi;
    [].forEach.call(document.querySelectorAll('style'), function (sheet) {
        var m;
        while ((m = hand.exec(sheet.textContent)) !== null) {
            m[1].split(',').forEach(function (selector) {
                selector = selector.trim();
                if (selector && selector.indexOf('<') < 0)
                    css += selector + ' { cursor: pointer; }\n';
            });
        }
    });
    css += '[style*="cursor:hand"] { cursor: pointer; }\n';
    var style = document.createElement('style');
    style.id = 'dravo-page-style';
    style.textContent = css;
    (document.head || document.documentElement).appendChild(style);
})();
)JS";

} // namespace

void PageSchemeHandler::Publish(const QString &key, QByteArray html) {
    m_pages.insert(key, std::move(html));
}

void PageSchemeHandler::Withdraw(const QString &key) {
    m_pages.remove(key);
}

QUrl PageSchemeHandler::PageUrl(const QString &key, quint64 serial) {
    QUrl url;
    url.setScheme(QString::fromLatin1(kPageScheme));
    url.setPath(QStringLiteral("/page/") + key + QLatin1Char('/') + QString::number(serial));
    return url;
}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job) {
    const QStringList parts = job->requestUrl().path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() < 2 || parts[0] != QLatin1String("page") || !m_pages.contains(parts[1])) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto *buffer = new QBuffer(job);
    buffer->setData(m_pages.value(parts[1]));
    buffer->open(QIODevice::ReadOnly);
    job->reply(QByteArrayLiteral("text/html;charset=windows-1251"), buffer);
}

bool LocalOnlyInterceptor::Allowed(const QUrl &url) {
    return url.scheme() == QLatin1String(kPageScheme);
}

void LocalOnlyInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info) {
    if (!Allowed(info.requestUrl())) {
        info.block(true);
        ++m_blocked;
    }
}

QString ExternalBootstrapScript() {
    QFile lib(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    QString text;
    if (lib.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(lib.readAll());
    return text + QLatin1Char('\n') + QString::fromUtf8(kExternalScript);
}

QString PageStyleScript() {
    return QString::fromUtf8(kPageStyleScript);
}

QWebEngineProfile *PageProfile() {
    static QWebEngineProfile *profile = [] {
        // An off-the-record profile: no cache, cookies or history on disk.
        auto *p = new QWebEngineProfile(QCoreApplication::instance());
        p->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        p->installUrlSchemeHandler(QByteArray(kPageScheme), PageHandler());
        p->setUrlRequestInterceptor(PageInterceptor());
        QWebEngineSettings *s = p->settings();
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
        s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
        s->setDefaultTextEncoding(QStringLiteral("windows-1251"));

        QWebEngineScript external;
        external.setName(QStringLiteral("dravo-external"));
        external.setInjectionPoint(QWebEngineScript::DocumentCreation);
        external.setWorldId(QWebEngineScript::MainWorld);
        external.setRunsOnSubFrames(false);
        external.setSourceCode(ExternalBootstrapScript());
        p->scripts()->insert(external);

        QWebEngineScript style;
        style.setName(QStringLiteral("dravo-page-style"));
        style.setInjectionPoint(QWebEngineScript::DocumentReady);
        style.setWorldId(QWebEngineScript::ApplicationWorld);
        style.setRunsOnSubFrames(false);
        style.setSourceCode(PageStyleScript());
        p->scripts()->insert(style);
        return p;
    }();
    return profile;
}

PageSchemeHandler *PageHandler() {
    static auto *handler = new PageSchemeHandler(QCoreApplication::instance());
    return handler;
}

LocalOnlyInterceptor *PageInterceptor() {
    static auto *interceptor = new LocalOnlyInterceptor(QCoreApplication::instance());
    return interceptor;
}

} // namespace dravo
