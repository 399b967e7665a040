#include "app/printing.h"

#include "app/holderview.h"
#include "core/fileio.h"

#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QPrinter>
#include <QWebEnginePage>
#include <memory>

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
    // The result arrives later, in this thread; it may outlive this call when the program ends
    // meanwhile, so it lands in state of its own.
    struct State {
        QByteArray pdf;
        bool done = false;
        QPointer<QEventLoop> loop;
    };
    auto state = std::make_shared<State>();
    QEventLoop loop;
    state->loop = &loop;
    view->page()->printToPdf(
        [state](const QByteArray &result) {
            state->pdf = result;
            state->done = true;
            if (state->loop)
                state->loop->quit();
        },
        printer.pageLayout(), printer.pageRanges());
    if (!state->done)
        loop.exec();
    const QByteArray pdf = state->pdf;
    if (pdf.isEmpty()) {
        if (error)
            *error = QStringLiteral("Не удалось подготовить страницы документа");
        return false;
    }
    std::string why;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(),
                             std::string_view(pdf.constData(), std::size_t(pdf.size())), why)) {
        if (error)
            *error = QString::fromLocal8Bit(why.c_str());
        return false;
    }
    return true;
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
