#pragma once

#include "editing/frmProperties.h"
#include "inidb/RomEntry.h"
#include "reports/SelectPrinterDialog.h"

#include <QImage>
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

// Every page of a PDF rendered at a low resolution by poppler; none when that fails.
QList<QImage> PdfPages(const QString &pdfPath);
// The share (0..1) of pixels that are not near white.
double InkShare(const QImage &page);
