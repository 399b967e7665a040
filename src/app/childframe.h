// A document window inside the main window: one view on one document.
#pragma once

#include <QMdiSubWindow>

namespace dravo {

class CHolderView;
class CMainFrame;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    CChildFrame(CMainFrame *mainFrame, CHolderView *view);
    ~CChildFrame() override;

    CHolderView *View() const { return m_view; }
    // The caption: the document's title, with ":n" when the document has several windows.
    void UpdateCaption();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    CMainFrame *m_mainFrame;
    CHolderView *m_view;
};

} // namespace dravo
