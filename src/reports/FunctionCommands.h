#pragma once

#include "inidb/IniDocument.h"
#include "ui/UserInterface.h"

#include <QString>

#include <optional>

class QWidget;

// The whole-file commands of the Functions menu. Each asks its own questions, shows its
// own failures and changes nothing when the user says No or cancels a dialog.

// "crc -> CRC": true when the user confirmed; the caller then upper-cases the CRCs.
bool ConfirmCrcConversion(QWidget *parent, UserInterface &ui);

// "Backup Current ini File": copies the ini file as it is on disk to a file the user picks.
// The copy's path, when one was written.
std::optional<QString> BackupIniFile(QWidget *parent, const IniDocument &doc, UserInterface &ui);

// "Make Compatibility List": writes the compatibility report of the loaded table. The
// report's path, when one was written.
std::optional<QString> MakeCompatList(QWidget *parent, const IniDocument &doc, UserInterface &ui);

// Through links and other spellings of the path, whether target is the open ini file, which
// no command but Save may write over.
bool IsIniFile(const QString &target, const IniDocument &doc);
