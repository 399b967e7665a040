// Printing a document's page: to a printer through the web engine's print, and to a PDF file
// through the web engine's own PDF output (vector pages with selectable text, not page bitmaps).
#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <QString>

class QPrinter;

namespace dravo {

class CHolderView;

// The busy cursor while pages are prepared (the web engine takes seconds on a long contract).
class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// True when the printer writes a PDF file rather than to a printing device.
bool PrintsToFile(const QPrinter &printer);

// Prints the view's page on printer and waits until it has been handed over; with a PDF file as
// the printer, writes the file through PrintPdf. False with a reason on failure.
bool PrintView(CHolderView *view, QPrinter &printer, QString *error);

// Paints the view's page on printer's pages whatever its output (print preview draws them so).
bool PaintPages(CHolderView *view, QPrinter &printer);

// Writes the view's page as a PDF file at the printer's output file name, with its page layout
// and page ranges; the old file stays whole when writing fails.
bool PrintPdf(CHolderView *view, const QPrinter &printer, QString *error);

} // namespace dravo
