#pragma once

#include "IniDocument.h"
#include "IoStatus.h"

#include <string>

class FileSystem;

// Upper-cases the CRC of every entry, removed ones too. Only the bytes a-z change, so
// text in any single-byte code page survives.
void UpperCaseCRCs(IniDocument &doc);

// Copies the ini file as it is on disk (doc.IniPath) over target. Neither the document
// nor the ini file changes.
IoStatus BackupIniFile(const IniDocument &doc, const std::string &target, FileSystem &fs);
