#pragma once

#include "editing/frmProperties.h"
#include "inidb/RomEntry.h"
#include "reports/SelectPrinterDialog.h"

#include <QList>
#include <QStringList>

// A ROM the printing tests know, with settings that show in the dialog.
RomEntry KnownRom();

// The properties dialog of the known ROM, filled and shown, its Print button unwired.
struct KnownRomDialog {
    KnownRomDialog();

    RomEntry entry;
    frmProperties dialog;
};

// Clicks the row of printer in the dialog's list, as the user would with the mouse.
void ClickPrinterRow(frmSelectPrinter &dialog, const QString &printer);
// The rows as "name|second column", top to bottom.
QStringList PrinterRows(const frmSelectPrinter &dialog);

// For each page of a PDF, rendered at a low resolution by poppler, the share (0..1) of
// pixels that are not near white; none when that fails.
QList<double> PageInk(const QString &pdfPath);
