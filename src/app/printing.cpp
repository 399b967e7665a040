#include "app/printing.h"

#include "app/holderview.h"
#include "app/wordexport.h"

#include <QEventLoop>
#include <QPrinter>
#include <QWebEnginePage>

namespace dravo {

bool PrintsToFile(const QPrinter &printer) {
    return printer.outputFormat() == QPrinter::PdfFormat;
}

bool PrintPdf(CHolderView *view, const QPrinter &printer, QString *error) {
    const QString path = printer.outputFileName();
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("Не указано имя файла для печати");
        return false;
    }
    return SavePagePdf(view->page(), path, printer.pageLayout(), error, printer.pageRanges());
}

bool PrintView(CHolderView *view, QPrinter &printer, QString *error) {
    if (PrintsToFile(printer))
        return PrintPdf(view, printer, error);
    const bool printed = PaintPages(view, printer);
    if (!printed && error)
        *error = QStringLiteral("Принтер не принял документ");
    return printed;
}

bool PaintPages(CHolderView *view, QPrinter &printer) {
    QEventLoop loop;
    bool result = false;
    QObject::connect(view, &QWebEngineView::printFinished, &loop, [&](bool ok) {
        result = ok;
        loop.quit();
    });
    view->print(&printer);
    loop.exec();
    return result;
}

} // namespace dravo
