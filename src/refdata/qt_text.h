// Text at the edge between the engine (windows-1251 bytes) and Qt SQL (UTF-8 in the database).
#pragma once

#include "core/text.h"

#include <QString>
#include <QVariant>

#include <string>
#include <string_view>

namespace dravo::refdata {

inline QString ToQt(std::string_view cp1251Text) {
    return QString::fromStdString(ToUtf8(cp1251Text));
}

inline std::string FromQt(const QString &text) {
    const QByteArray utf8 = text.toUtf8();
    return FromUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

// A column value as engine text; NULL reads as the empty text.
inline std::string FromQt(const QVariant &value) {
    return value.isNull() ? std::string() : FromQt(value.toString());
}

} // namespace dravo::refdata
