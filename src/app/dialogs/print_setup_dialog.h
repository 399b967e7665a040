// "Параметры печати": where the next printing goes (a printer, or a PDF file) and on what paper.
// A set-up dialog: it prints nothing, and has no print button; OK leaves the choice with the
// printer for the next "Печать".
#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>

class QComboBox;
class QLineEdit;
class QPrinter;
class QRadioButton;

namespace dravo {

// The choice the dialog shows and takes back: read from a printer, written into it.
struct PrintSetup {
    QString printerName; // ignored when toFile
    bool toFile = false;
    QString fileName;
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    static PrintSetup Of(const QPrinter &printer);
    void ApplyTo(QPrinter &printer) const;
};

class PrintSetupDialog : public QDialog {
    Q_OBJECT
  public:
    PrintSetupDialog(const PrintSetup &setup, QWidget *parent = nullptr);
    PrintSetup Setup() const;
    void accept() override;

  private:
    void ShowFileRow();

    QComboBox *m_printer = nullptr;
    QLineEdit *m_file = nullptr;
    QWidget *m_fileRow = nullptr;
    QComboBox *m_paper = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
};

// Command 57606: shows the dialog on printer; true when the choice was taken.
bool RunPrintSetupDialog(QWidget *parent, QPrinter &printer);

} // namespace dravo
