// The options of the commands that open the reference databases, read as Qt takes them.
#pragma once

#include "command.h"

#include <QString>

#include <string>
#include <string_view>

namespace dravo::cli {

// The folder an option names (--root unless told), or the working folder.
inline QString Root(const Args &args, std::string_view option = "--root") {
    const std::string *root = Option(args, option);
    return root ? QString::fromStdString(*root) : QStringLiteral(".");
}

// A message from Qt or the database layer, in the command line's UTF-8.
inline std::string Utf8(const QString &text) {
    return text.toStdString();
}

} // namespace dravo::cli
