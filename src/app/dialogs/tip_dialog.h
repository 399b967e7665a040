// The tip of the day: dialog 103 shows one hint at a time from "Data/tips.txt" and remembers
// its place, the file's time stamp and the show-at-start-up choice in the section "Tip" of the
// program's settings.
#pragma once

#include "core/tips.h"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace dravo {

// The section "Tip" of the settings store.
TipSettings LoadTipSettings();
void SaveTipSettings(const TipSettings &settings);

class TipDialog : public QDialog {
    Q_OBJECT
  public:
    // Opens the tips file and shows its next tip; controls are named "tip", "startUp", "next"
    // and "close" for tests.
    TipDialog(const QString &tipsPath, QWidget *parent = nullptr);
    ~TipDialog() override;

    QString TipText() const;

    // Whatever closes the dialog: the place in the file is stored.
    void done(int result) override;

  private:
    void ShowNext();
    void Close();

    TipSettings m_settings;
    CTipReader m_reader;
    QLabel *m_tip = nullptr;
    QCheckBox *m_startUp = nullptr;
};

// Command 104 and the start-up: the dialog on the tips file of the templates root.
void ShowTipOfTheDay(QWidget *parent);
// True when the settings allow the tip at start-up ("StartUp" is 0).
bool TipWantedAtStartUp();

} // namespace dravo
