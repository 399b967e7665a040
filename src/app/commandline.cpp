#include "app/commandline.h"

namespace dravo {

namespace {

// The switch name without its leading "/", "-" or "--", in lower case; empty for a non-switch.
QString SwitchName(const QString &arg) {
    if (arg.size() < 2)
        return {};
    if (arg.startsWith(QStringLiteral("--")))
        return arg.mid(2).toLower();
    if (arg.startsWith(QLatin1Char('-')) || arg.startsWith(QLatin1Char('/'))) {
        // An absolute path is not a switch.
        const QString name = arg.mid(1).toLower();
        return name.contains(QLatin1Char('/')) ? QString() : name;
    }
    return {};
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments) {
    CommandLine cl;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        const QString name = SwitchName(arg);
        auto value = [&](QString &into) {
            if (i + 1 < arguments.size())
                into = arguments[++i];
            else
                cl.error = QStringLiteral("Не указано значение ключа %1").arg(arg);
        };
        if (name.isEmpty()) {
            if (!cl.file.isEmpty()) {
                cl.error = QStringLiteral("Лишний аргумент: %1").arg(arg);
                continue;
            }
            cl.file = arg;
            if (cl.action == CommandLine::NewDocument)
                cl.action = CommandLine::OpenFile;
        } else if (name == QLatin1String("p") || name == QLatin1String("print")) {
            cl.action = CommandLine::PrintFile;
        } else if (name == QLatin1String("pt") || name == QLatin1String("print-to")) {
            cl.action = CommandLine::PrintFileTo;
            QString file;
            value(file);
            cl.file = file;
            value(cl.printer);
        } else if (name == QLatin1String("pdf")) {
            cl.action = CommandLine::SavePdf;
            QString file;
            value(file);
            cl.file = file;
            value(cl.output);
        } else if (name == QLatin1String("register") || name == QLatin1String("regserver")) {
            cl.action = CommandLine::Register;
        } else if (name == QLatin1String("unregister") || name == QLatin1String("unregserver")) {
            cl.action = CommandLine::Unregister;
        } else if (name == QLatin1String("grab")) {
            value(cl.grabFile);
        } else if (name == QLatin1String("captions")) {
            cl.captions = 1;
        } else if (name == QLatin1String("no-captions")) {
            cl.captions = 0;
        } else if (name == QLatin1String("timing")) {
            cl.timing = true;
        } else if (name == QLatin1String("dde") || name == QLatin1String("embedding") ||
                   name == QLatin1String("automation")) {
            // Accepted for compatibility; a program started for another program's sake shows
            // no tip of the day.
            if (name != QLatin1String("dde"))
                cl.embedded = true;
        } else {
            cl.error = QStringLiteral("Неизвестный ключ %1").arg(arg);
        }
    }
    if ((cl.action == CommandLine::PrintFile || cl.action == CommandLine::PrintFileTo) &&
        cl.file.isEmpty() && cl.error.isEmpty())
        cl.error = QStringLiteral("Не указан файл для печати");
    if (cl.action == CommandLine::SavePdf && cl.error.isEmpty() &&
        (cl.file.isEmpty() || cl.output.isEmpty()))
        cl.error = QStringLiteral("Ключ /pdf ждет файл шаблона и файл PDF");
    return cl;
}

} // namespace dravo
