#pragma once

#include "inidb/TextEncoding.h"

#include <QString>

#include <optional>

// "Name: the character "€" (U+20AC) cannot be stored in this file, whose text is
// Windows-1252." for the first character of text the encoding cannot hold; nullopt when
// it holds them all. what names the text.
std::optional<QString> RefusedCharacterText(const QString &what, const QString &text, TextEncoding encoding);
