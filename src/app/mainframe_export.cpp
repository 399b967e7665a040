// The document menu's hand-offs: the contract for the word processor (command 2042) and the page
// as PDF.
#include "app/commands.h"
#include "app/filedialog.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/mainframe.h"
#include "app/messagebox.h"
#include "app/settings.h"
#include "app/systemshell.h"
#include "app/wordexport.h"
#include "core/fileio.h"

#include <QDir>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

namespace dravo {

void CMainFrame::CmdOpenInWord() {
    CHolderView *view = ActiveView();
    CHolderDoc *doc = view->GetDocument();
    const std::string rtf = doc->BuildRtf();
    const QString folder = WordExportFolder();
    QDir().mkpath(folder);
    const QString path = WordExportPath(folder, doc->Title());
    std::string error;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), rtf, error)) {
        MessageBox::Warning(this, QStringLiteral("Не удалось записать файл ") + path + '\n' +
                                      QString::fromStdString(error));
        return;
    }
    WordProcessor wp = FindWordProcessor(Settings::ReadPathSetting(setting::kWordFolder));
    while (wp.kind == WordProcessor::None) {
        // No word processor: its folder, once, remembered for the next time.
        if (!MessageBox::AskOkCancel(this, WordProcessorQuestion()))
            return;
        const QString chosen =
            FileDialog::GetFolder(this, QStringLiteral("Папка текстового редактора"), QString());
        if (chosen.isEmpty())
            return;
        const QString program = WordProcessorIn(chosen);
        if (program.isEmpty()) {
            MessageBox::Warning(this, QStringLiteral("В папке ") + chosen +
                                          QStringLiteral(" нет программы soffice"));
            continue;
        }
        Settings::WritePathSetting(setting::kWordFolder, chosen);
        wp = {WordProcessor::Program, program};
    }
    const bool started = wp.kind == WordProcessor::SystemHandler
                             ? SystemShell::Open(QUrl::fromLocalFile(path))
                             : SystemShell::Start(wp.program, {path});
    if (!started)
        MessageBox::Warning(this, QStringLiteral("Не удалось открыть файл ") + path);
}

QPageLayout CMainFrame::PdfLayout() const {
    QPageLayout layout = DefaultPdfLayout();
    if (m_printer)
        layout.setMargins(m_printer->pageLayout().margins(QPageLayout::Millimeter));
    return layout;
}

void CMainFrame::CmdSavePdf() {
    CHolderView *view = ActiveView();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = FileDialog::GetSaveFileName(
        this, QStringLiteral("Сохранить в PDF"),
        QDir(folder).filePath(FileNameOfTitle(view->GetDocument()->Title()) +
                              QStringLiteral(".pdf")),
        QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QString error;
    if (!SavePagePdf(view->page(), path, PdfLayout(), &error))
        MessageBox::Warning(this,
                            QStringLiteral("Не удалось сохранить файл ") + path + '\n' + error);
}

} // namespace dravo
