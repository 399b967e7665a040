// Handing the contract to the word processor and writing it as PDF: where the exported file goes
// and under which name, which program opens an RTF file on this desktop, and the page as PDF.
#pragma once

#include <QPageLayout>
#include <QPageRanges>
#include <QString>
#include <QStringList>

class QWebEnginePage;

namespace dravo {

// The per-user folder of the files handed to the word processor.
QString WordExportFolder();

// A file name (without extension) for a document titled title: the title without the characters
// a file name cannot hold, blanks round it and leading dots, at most 120 characters, or "Документ".
QString FileNameOfTitle(const QString &title);

// A new file in folder for a document titled title: FileNameOfTitle(title) with ".rtf" added,
// and " (2)", " (3)" ... when a file of that name is already there: a file the user may have
// edited and saved is never written over.
QString WordExportPath(const QString &folder, const QString &title);

// What opens an RTF file.
struct WordProcessor {
    enum Kind { None, SystemHandler, Program } kind = None;
    QString program; // Program: the word processor's executable
};

// The word processor's executable in folder (LibreOffice: soffice, libreoffice, lowriter,
// swriter), or empty.
QString WordProcessorIn(const QString &folder);

// The program in the folder remembered in the settings, else the desktop's handler of RTF files,
// else LibreOffice on the search path, else none.
WordProcessor FindWordProcessor(const QString &rememberedFolder);

// The question when no word processor is found: the program's own words and what they stand
// for on this system.
QString WordProcessorQuestion();

// A4 with margins of 20 mm at the top and bottom, 30 mm at the left and 15 mm at the right
// unless the page set-up gave others.
QPageLayout DefaultPdfLayout();

// The page as shown, as PDF (only ranges' pages when given), written with the safe save. Waits
// for the engine; false with the reason in error.
bool SavePagePdf(QWebEnginePage *page, const QString &path, const QPageLayout &layout,
                 QString *error, const QPageRanges &ranges = {});

} // namespace dravo
