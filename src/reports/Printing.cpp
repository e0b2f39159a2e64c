#include "Printing.h"

#include "CurrentPrinter.h"
#include "FunctionCommands.h"
#include "PdfFile.h"
#include "PrintJob.h"
#include "SelectPrinterDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QWidget>

#include <optional>

namespace {

const QString ErrorTitle = QStringLiteral("Error");

// The PDF is offered beside the ini file, named after the dialog.
QString ProposedPdfPath(const QString &iniPath, const QWidget &dialog)
{
    if (iniPath.isEmpty())
        return {};
    return QFileInfo(iniPath).dir().filePath(dialog.windowTitle() + QStringLiteral(".pdf"));
}

// The page goes to a PDF file the user names; why it could not, or nullopt when it was
// written or the user cancelled.
std::optional<QString> SavePdf(QWidget &dialog, const IniDocument &doc, UserInterface &ui)
{
    const QString iniPath = QFile::decodeName(QByteArray::fromStdString(doc.IniPath));
    const std::optional<QString> target = ui.chooseFileToSave(
        &dialog, {QStringLiteral("PDF file"), QStringLiteral("*.pdf")}, ProposedPdfPath(iniPath, dialog), iniPath);
    if (!target)
        return std::nullopt;
    if (IsIniFile(*target, doc))
        return QStringLiteral("The PDF file cannot be written over the open ini file %1. Choose another name.")
            .arg(iniPath);
    const BusyCursor busy(ui);
    return SaveDialogPdf(*target, dialog, dialog.windowTitle());
}

std::optional<QString> PrintPage(QWidget &dialog, UserInterface &ui)
{
    // Drawing the page and handing it over can take a moment.
    const BusyCursor busy(ui);
    return PrintDialogPage(CurrentPrinter::name(), dialog, dialog.windowTitle());
}

} // namespace

void PrintRomProperties(QWidget &dialog, IniDocument &doc, UserInterface &ui)
{
    // Said before the list, which would only show up empty.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        ui.showNotice(&dialog, QStringLiteral("Print"),
                     QStringLiteral("No printer is installed. The page can still be saved as a PDF file: "
                                    "press \"Save as PDF\u2026\" in the next window."));
    frmSelectPrinter chooser(doc, &dialog);
    chooser.exec();
    if (doc.PrintCancelled)
        return;
    const std::optional<QString> failure = chooser.pdfChosen() ? SavePdf(dialog, doc, ui) : PrintPage(dialog, ui);
    if (failure)
        ui.showError(&dialog, ErrorTitle, *failure);
}
