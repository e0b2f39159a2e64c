#include "TextStart.h"

#include <algorithm>

QString TextStart(const QString &text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    if (length > 0 && text[length - 1].isHighSurrogate())
        --length;
    return text.left(std::max<qsizetype>(length, 0));
}

QString ShownStart(const QString &text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    return TextStart(text, length) + QChar(0x2026);
}
