#pragma once

#include "inidb/IniDocument.h"
#include "ui/UserInterface.h"

class QWidget;

// The Print button of the properties dialog: asks for the printer in "Select Printer" (told
// first when there is none) and, unless the user cancelled, prints one page holding the
// dialog as it shows now, edits not yet applied included, or saves that page as a PDF
// file. A failure is shown under "Error".
void PrintRomProperties(QWidget &dialog, IniDocument &doc, UserInterface &ui);
