#include "app/timing.h"

#include "app/holderdoc.h"
#include "app/holderview.h"
#include "core/text.h"
#include "vardata/entry_form.h"

#include <QTimer>
#include <QWebEnginePage>
#include <algorithm>
#include <cstdio>

namespace dravo {

ClickTiming::ClickTiming(CHolderView *view, int rounds, QObject *parent)
    : QObject(parent), m_view(view), m_rounds(rounds) {}

void ClickTiming::Start() {
    // The editor's OK: the clause text changes, so the page really is built anew.
    CHolderView::SetDialogStandIn(
        [](CHolderDoc &doc, const QString &dialog, const QList<int> &args) {
            if (dialog != QLatin1String("clause") || args.size() < 2)
                return DialogResult::Cancel;
            CPun &clause = doc.Body().Clause(static_cast<std::uint16_t>(args[0]),
                                             static_cast<std::uint16_t>(args[1]));
            if (!clause.m_strText.empty() && clause.m_strText.back() == ' ')
                clause.m_strText.pop_back();
            else
                clause.m_strText.push_back(' ');
            return DialogResult::Ok;
        });
    connect(m_view, &CHolderView::pageLoaded, this, &ClickTiming::OnPageLoaded);

    connect(m_view->page(), &QWebEnginePage::titleChanged, this, &ClickTiming::OnTitle);
    m_clock.start();
    Round();
}

void ClickTiming::StartVariables() {
    m_phase = 1;
    m_done = 0;
    m_ms.clear();
    // The form's OK: the template grows to the most items a form holds, and every field holds a
    // new value, so the page really is built anew.
    CHolderView::SetDialogStandIn(
        [round = 0](CHolderDoc &doc, const QString &dialog, const QList<int> &) mutable {
            if (dialog != QLatin1String("variables"))
                return DialogResult::Cancel;
            CBody &body = doc.Body();
            while (body.VariableCount() < vardata::kMaxItems) {
                CPun item;
                item.m_strName = "поле "_w;
                item.m_strName += std::to_string(body.VariableCount());
                item.m_strFont = "Поле"_w;
                body.m_parVariables.m_arItems.push_back(item);
            }
            ++round;
            std::vector<std::string> fields;
            for (std::size_t k = 0; k < body.VariableCount(); ++k)
                fields.push_back(std::string("значение "_w) + std::to_string(round) + "." +
                                 std::to_string(k));
            int row = 0;
            vardata::EntryForm form(body, row, false);
            form.Accept(fields);
            return DialogResult::Ok;
        });
    Round();
}

void ClickTiming::Round() {
    if (!m_view)
        return;
    m_t0 = m_clock.nsecsElapsed();
    if (m_phase == 1) {
        m_view->CmdVariableData();
        return;
    }
    // A click on a clause in the middle of the page, through the page's own onclick.
    m_view->page()->runJavaScript(QStringLiteral(
        "(function(){var a=[].filter.call(document.querySelectorAll(\"a[onclick*='Bing']\"),"
        "function(x){return /,1\\)/.test(x.getAttribute('onclick'));});"
        "if(a.length)a[Math.floor(a.length/2)].click();})()"));
}

void ClickTiming::OnPageLoaded(bool) {

    // Two animation frames after the load: the new page has been painted.
    m_view->page()->runJavaScript(
        QStringLiteral("requestAnimationFrame(function(){requestAnimationFrame(function(){"
                       "document.title='painted %1';});});")
            .arg(m_phase * 1000 + m_done));
}

void ClickTiming::OnTitle(const QString &title) {
    if (title != QStringLiteral("painted %1").arg(m_phase * 1000 + m_done))
        return;
    m_ms.push_back(double(m_clock.nsecsElapsed() - m_t0) / 1e6);
    if (++m_done >= m_rounds) {
        Report(m_phase == 0 ? "click-to-repaint" : "variables-ok-to-repaint");
        if (m_phase == 0) {
            QTimer::singleShot(30, this, &ClickTiming::StartVariables);
            return;
        }
        CHolderView::SetDialogStandIn({});
        emit finished();
        return;
    }
    QTimer::singleShot(30, this, &ClickTiming::Round);
}

void ClickTiming::Report(const char *what) {
    std::vector<double> sorted = m_ms;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    const double p90 = sorted[std::min(sorted.size() - 1, sorted.size() * 9 / 10)];
    std::printf("%s median %.1f ms, 90%% %.1f ms, max %.1f ms over %zu rounds\n", what, median, p90,
                sorted.back(), sorted.size());
    std::fflush(stdout);
}

} // namespace dravo
