#pragma once

#include <QString>

// Laying a text out takes time in its length, so a huge text is shown by its start.

// The first length UTF-16 units of text, one fewer where the cut would split a character.
QString TextStart(const QString &text, qsizetype length);

// text when it has at most length units; else its start with "…" after it.
QString ShownStart(const QString &text, qsizetype length);
