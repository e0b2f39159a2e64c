#pragma once

#include "reports/SelectPrinterDialog.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs act on the "Select Printer" dialog as soon as it shows modally, so a test can
// answer it while PrintRomProperties waits in exec().
void WhenPrinterDialogShows(std::function<void(frmSelectPrinter &)> act, int triesLeft = 500);

// Clicks the row of printer in the dialog's list, as the user would with the mouse.
void ClickPrinterRow(frmSelectPrinter &dialog, const QString &printer);

// The rows as "name|second column", top to bottom.
QStringList PrinterRows(const frmSelectPrinter &dialog);
