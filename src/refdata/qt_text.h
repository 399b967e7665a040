// Text at the edge between the engine (windows-1251 bytes) and Qt SQL (UTF-8 in the database).
#pragma once

#include "core/text.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <string>
#include <string_view>

namespace dravo::refdata {

inline QString ToQt(std::string_view cp1251Text) {
    return QString::fromStdString(ToUtf8(cp1251Text));
}

// Straight from the UTF-16 of the string: a journal of thousands of rows reads tens of thousands
// of texts.
inline std::string FromQt(const QString &text) {
    return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                                         std::size_t(text.size())));
}

// The text as engine text when the code page holds every character of it; otherwise nothing,
// and message names the first character it lacks. Text that is kept goes through here.
inline std::optional<std::string> FromQtExact(const QString &text, QString *message = nullptr) {
    const QByteArray utf8 = text.toUtf8();
    std::string out;
    char32_t refused = 0;
    if (FromUtf8Exact(std::string_view(utf8.constData(), std::size_t(utf8.size())), out, refused))
        return out;
    if (message)
        *message = QString::fromStdString(RefusedCharacterMessage(refused));
    return std::nullopt;
}

// A column value as engine text; NULL reads as the empty text.
inline std::string FromQt(const QVariant &value) {
    return value.isNull() ? std::string() : FromQt(value.toString());
}

} // namespace dravo::refdata
