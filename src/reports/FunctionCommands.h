#pragma once

#include "inidb/IniDocument.h"
#include "ui/UserInterface.h"

class QWidget;

// The whole-file commands of the Functions menu. Each asks its own questions, shows its
// own failures and changes nothing when the user says No or cancels a dialog.

// "crc -> CRC": true when the CRCs were upper-cased and the caller must refill the list.
bool ConvertCrcsToUpperCase(QWidget *parent, IniDocument &doc, UserInterface &ui);

// "Backup Current ini File": copies the ini file as it is on disk to a file the user picks.
void BackupIniFile(QWidget *parent, const IniDocument &doc, UserInterface &ui);

// "Make Compatibility List": writes the compatibility report of the loaded table.
void MakeCompatList(QWidget *parent, const IniDocument &doc, UserInterface &ui);
