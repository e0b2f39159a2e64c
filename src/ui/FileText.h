#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one place where the file's single-byte text meets the window's QString. Latin-1
// maps every byte to one character and back, so names and comments round-trip exactly
// whatever code page wrote them.
inline QString fromFileText(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toFileText(const QString &text)
{
    return text.toLatin1().toStdString();
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
