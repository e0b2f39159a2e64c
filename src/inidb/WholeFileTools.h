#pragma once

#include "IniDocument.h"
#include "IoStatus.h"

#include <string>

class FileSystem;

// Copies the ini file as it is on disk (doc.IniPath) over target. Neither the document
// nor the ini file changes.
IoStatus BackupIniFile(const IniDocument &doc, const std::string &target, FileSystem &fs);
