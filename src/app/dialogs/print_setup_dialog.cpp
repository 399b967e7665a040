#include "app/dialogs/print_setup_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/filedialog.h"
#include "app/messagebox.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dravo {

namespace {

constexpr QPageSize::PageSizeId kPapers[] = {QPageSize::A4, QPageSize::A5,     QPageSize::A3,
                                             QPageSize::B5, QPageSize::Letter, QPageSize::Legal};

} // namespace

PrintSetup PrintSetup::Of(const QPrinter &printer) {
    PrintSetup s;
    s.toFile = printer.outputFormat() == QPrinter::PdfFormat;
    s.printerName = printer.printerName();
    s.fileName = printer.outputFileName();
    s.paper = printer.pageLayout().pageSize().id();
    s.orientation = printer.pageLayout().orientation();
    return s;
}

void PrintSetup::ApplyTo(QPrinter &printer) const {
    if (toFile) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fileName);
    } else {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(printerName);
    }
    printer.setPageSize(QPageSize(paper));
    printer.setPageOrientation(orientation);
}

PrintSetupDialog::PrintSetupDialog(const PrintSetup &setup, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Параметры печати"));

    m_printer = new QComboBox(this);
    m_printer->setObjectName(QStringLiteral("printer"));
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        m_printer->addItem(name, name);
    m_printer->addItem(QStringLiteral("Файл PDF"), QString());
    // The printer of the setup, else the file (also when no printer is installed).
    const int named = setup.toFile ? -1 : m_printer->findData(setup.printerName);
    m_printer->setCurrentIndex(named >= 0 ? named : m_printer->count() - 1);

    m_file = new QLineEdit(setup.fileName, this);
    m_file->setObjectName(QStringLiteral("file"));
    auto *browse = new QPushButton(QStringLiteral("Обзор..."), this);
    browse->setObjectName(QStringLiteral("browse"));
    m_fileRow = new QWidget(this);
    auto *fileLayout = new QHBoxLayout(m_fileRow);
    fileLayout->setContentsMargins(0, 0, 0, 0);
    fileLayout->addWidget(m_file, 1);
    fileLayout->addWidget(browse);

    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paper"));
    for (QPageSize::PageSizeId id : kPapers)
        m_paper->addItem(QPageSize::name(id), int(id));
    const int paper = m_paper->findData(int(setup.paper));
    m_paper->setCurrentIndex(paper >= 0 ? paper : 0);

    m_portrait = new QRadioButton(QStringLiteral("Книжная"), this);
    m_portrait->setObjectName(QStringLiteral("portrait"));
    m_landscape = new QRadioButton(QStringLiteral("Альбомная"), this);
    m_landscape->setObjectName(QStringLiteral("landscape"));
    (setup.orientation == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);
    auto *orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    orientation->addStretch(1);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Принтер:"), m_printer);
    form->addRow(QStringLiteral("Файл:"), m_fileRow);
    form->addRow(QStringLiteral("Бумага:"), m_paper);
    form->addRow(QStringLiteral("Ориентация:"), orientation);

    auto *ok = new QPushButton(QStringLiteral("ОК"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_printer, &QComboBox::currentIndexChanged, this, &PrintSetupDialog::ShowFileRow);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString path = FileDialog::GetSaveFileName(
            this, QStringLiteral("Печать в файл"),
            m_file->text().isEmpty() ? QDir::homePath() : m_file->text(),
            QStringLiteral("Документы PDF (*.pdf)"), QStringLiteral("pdf"));
        if (!path.isEmpty())
            m_file->setText(QDir::toNativeSeparators(path));
    });
    ShowFileRow();
}

void PrintSetupDialog::ShowFileRow() {
    m_fileRow->setEnabled(m_printer->currentData().toString().isEmpty());
}

PrintSetup PrintSetupDialog::Setup() const {
    PrintSetup s;
    s.printerName = m_printer->currentData().toString();
    s.toFile = s.printerName.isEmpty();
    s.fileName = QDir::fromNativeSeparators(m_file->text().trimmed());
    if (s.toFile && !s.fileName.isEmpty() &&
        !s.fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        s.fileName += QStringLiteral(".pdf");
    s.paper = QPageSize::PageSizeId(m_paper->currentData().toInt());
    s.orientation = m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return s;
}

void PrintSetupDialog::accept() {
    const PrintSetup s = Setup();
    if (s.toFile && s.fileName.isEmpty()) {
        MessageBox::Warning(this, QStringLiteral("Укажите имя файла PDF"));
        return;
    }
    QDialog::accept();
}

bool RunPrintSetupDialog(QWidget *parent, QPrinter &printer) {
    PrintSetupDialog dialog(PrintSetup::Of(printer), parent);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return false;
    dialog.Setup().ApplyTo(printer);
    return true;
}

} // namespace dravo
