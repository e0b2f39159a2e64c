#pragma once

#include "inidb/TextEncoding.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// The one place where the file's text bytes meet the window's QString, in the encoding
// the load decided for the file.
inline QString fromFileText(TextEncoding encoding, std::string_view text)
{
    QString decoded(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    decoded.resize(static_cast<qsizetype>(DecodeText(encoding, text, reinterpret_cast<char16_t *>(decoded.data()))));
    return decoded;
}

inline EncodedText toFileText(TextEncoding encoding, const QString &text)
{
    return EncodeText(encoding, std::u16string_view(reinterpret_cast<const char16_t *>(text.constData()),
                                                    static_cast<std::size_t>(text.size())));
}

// Paths are the system's own encoding, not the file's text.
inline QString fromPath(const std::string &path)
{
    return QString::fromStdString(path);
}

inline std::string toPath(const QString &path)
{
    return path.toStdString();
}
