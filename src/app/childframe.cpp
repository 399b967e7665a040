#include "app/childframe.h"

#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/mainframe.h"
#include "app/settings.h"

#include <QCloseEvent>
#include <QIcon>

namespace dravo {

CChildFrame::CChildFrame(CMainFrame *mainFrame, CHolderView *view)
    : m_mainFrame(mainFrame), m_view(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    setWindowIcon(QIcon(QStringLiteral(":/icons/template.svg")));
}

CChildFrame::~CChildFrame() {
    Settings::WriteFlagSetting(isMaximized() ? 1 : 0, setting::kMaximizeChildWindow);
}

void CChildFrame::UpdateCaption() {
    CHolderDoc *doc = m_view->GetDocument();
    const QList<CHolderView *> views = CHolderView::ViewsOf(doc);
    QString title = doc->Title();
    if (views.size() > 1)
        title += QLatin1Char(':') + QString::number(views.indexOf(m_view) + 1);
    setWindowTitle(title);
}

void CChildFrame::closeEvent(QCloseEvent *event) {
    if (!m_mainFrame->CanCloseView(m_view)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

} // namespace dravo
