#include "Printing.h"

#include "CurrentPrinter.h"
#include "PrintJob.h"
#include "SelectPrinterDialog.h"

#include <QWidget>

namespace {

// The page is the dialog as it shows now; grab() takes its client area without the
// window frame and title bar.
std::optional<QString> PrintDialogPage(QWidget &dialog, UserInterface &ui)
{
    // Rendering the page and handing it over can take a moment.
    const BusyCursor busy(ui);
    return PrintImage(CurrentPrinter::name(), dialog.grab().toImage(), dialog.windowTitle());
}

} // namespace

void PrintRomProperties(QWidget &dialog, IniDocument &doc, UserInterface &ui)
{
    frmSelectPrinter chooser(doc, &dialog);
    chooser.exec();
    if (doc.PrintCancelled)
        return;
    if (const std::optional<QString> failure = PrintDialogPage(dialog, ui))
        ui.showError(&dialog, QStringLiteral("Error"), *failure);
}
