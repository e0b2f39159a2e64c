#include "Printing.h"

#include "CurrentPrinter.h"
#include "PrintJob.h"
#include "SelectPrinterDialog.h"

#include <QWidget>

void PrintRomProperties(QWidget &dialog, IniDocument &doc, UserInterface &ui)
{
    {
        frmSelectPrinter chooser(doc, &dialog);
        chooser.exec();
    }
    if (doc.PrintCancelled)
        return;
    // grab() renders the client area only, without the window frame and title bar.
    const QImage page = dialog.grab().toImage();
    if (const std::optional<QString> failure =
            PrintImage(CurrentPrinter::name(), page, dialog.windowTitle()))
        ui.showError(&dialog, QStringLiteral("Error"), *failure);
}
