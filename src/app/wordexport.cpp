#include "app/wordexport.h"

#include "core/fileio.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEnginePage>
#include <memory>

namespace dravo {

QString WordExportFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/Word");
}

QString FileNameOfTitle(const QString &title) {
    QString name;
    for (const QChar c : title)
        if (c.unicode() >= 0x20 && !QStringLiteral("/\\:*?\"<>|").contains(c))
            name += c;
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.size() > 120)
        name.truncate(120);
    if (name.isEmpty())
        name = QStringLiteral("Документ");
    return name;
}

QString WordExportPath(const QString &folder, const QString &title) {
    const QString name = FileNameOfTitle(title);
    const QDir dir(folder);
    QString path = dir.filePath(name + QStringLiteral(".rtf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1 (%2).rtf").arg(name).arg(n));
    return path;
}

QString WordProcessorIn(const QString &folder) {
    if (folder.isEmpty())
        return {};
    for (const char *name : {"soffice", "libreoffice", "lowriter", "swriter"}) {
        const QFileInfo file(QDir(folder).filePath(QString::fromLatin1(name)));
        if (file.isFile() && file.isExecutable())
            return file.absoluteFilePath();
    }
    return {};
}

WordProcessor FindWordProcessor(const QString &rememberedFolder) {
    if (const QString program = WordProcessorIn(rememberedFolder); !program.isEmpty())
        return {WordProcessor::Program, program};
    // The desktop's own choice for RTF files, when it has one.
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!query.isEmpty()) {
        for (const char *type : {"text/rtf", "application/rtf"}) {
            QProcess process;
            process.start(query, {QStringLiteral("query"), QStringLiteral("default"),
                                  QString::fromLatin1(type)});
            if (process.waitForFinished(3000) && process.exitCode() == 0 &&
                !process.readAllStandardOutput().trimmed().isEmpty())
                return {WordProcessor::SystemHandler, {}};
        }
    }
    for (const char *name : {"soffice", "libreoffice", "lowriter"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            return {WordProcessor::Program, program};
    }
    return {};
}

QString WordProcessorQuestion() {
    return QStringLiteral(
               "Microfoft Word не найден. Укажите путь к папке, в которой находится файл "
               "WINWORD.EXE \n( Например: C:\\Program Files\\Microsoft Office\\Office )\n\n") +
           QStringLiteral("На этом компьютере текстовый редактор — LibreOffice Writer: укажите "
                          "папку с программой soffice (например: /usr/bin или "
                          "/opt/libreoffice/program).");
}

QPageLayout DefaultPdfLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(30, 20, 15, 20),
                       QPageLayout::Millimeter);
}

bool SavePagePdf(QWebEnginePage *page, const QString &path, const QPageLayout &layout,
                 QString *error, const QPageRanges &ranges) {
    // The result arrives later, in this thread; it may outlive this call when the wait times out
    // or the program ends meanwhile, so it lands in state of its own.
    struct State {
        QByteArray pdf;
        bool done = false;
        QPointer<QEventLoop> loop;
    };
    auto state = std::make_shared<State>();
    QEventLoop loop;
    state->loop = &loop;
    page->printToPdf(
        [state](const QByteArray &bytes) {
            state->pdf = bytes;
            state->done = true;
            if (state->loop)
                state->loop->quit();
        },
        layout, ranges);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!state->done)
        loop.exec();
    const QByteArray pdf = state->pdf;
    if (pdf.isEmpty()) {
        if (error)
            *error = QStringLiteral("Не удалось получить PDF страницы");
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

} // namespace dravo
