#pragma once

#include <QString>

#include <optional>

class QWidget;

// Prints the dialog's page (as a PDF file would hold it) on the printer named printerName
// and hands the job to the print system. Empty when the print system accepted the job;
// otherwise a message for the user saying why nothing was printed (no printer, an
// unknown printer, a refusal).
std::optional<QString> PrintDialogPage(const QString &printerName, QWidget &dialog, const QString &title);
