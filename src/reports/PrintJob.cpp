#include "PrintJob.h"

#include "PdfFile.h"

#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cups/cups.h>

namespace {

// Qt's own hand-over to CUPS ignores a refusal, so the page is rendered to a file and
// submitted here, where the print system's answer can be read.
std::optional<QString> SubmitFile(const QString &printerName, const QString &file,
                                  const QString &title, const QString &media)
{
    // "name/instance": the queue is the name; the instance only contributes its options.
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = printerName.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_option_t *options = nullptr;
    int optionCount = 0;
    if (cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                             instance.isEmpty() ? nullptr : instance.constData())) {
        for (int i = 0; i < dest->num_options; ++i)
            optionCount = cupsAddOption(dest->options[i].name, dest->options[i].value,
                                        optionCount, &options);
        cupsFreeDests(1, dest);
    }
    if (!media.isEmpty())
        optionCount = cupsAddOption("media", media.toLocal8Bit().constData(), optionCount, &options);
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(file).constData(),
                                  title.toLocal8Bit().constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job == 0)
        return QStringLiteral("The printer \"%1\" did not accept the job, so nothing was printed: %2")
            .arg(printerName, QString::fromLocal8Bit(cupsLastErrorString()));
    return std::nullopt;
}

} // namespace

std::optional<QString> PrintDialogPage(const QString &printerName, QWidget &dialog, const QString &title)
{
    if (printerName.isEmpty()) {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            return QStringLiteral("No printer is installed, so nothing was printed.");
        return QStringLiteral("No printer is chosen, so nothing was printed. "
                              "Click a printer in the list, then press OK.");
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return QStringLiteral("The printer \"%1\" is not installed any more, so nothing was printed.")
            .arg(printerName);

    QTemporaryDir folder;
    if (!folder.isValid())
        return QStringLiteral("The page could not be prepared, so nothing was printed: %1")
            .arg(folder.errorString());
    const QString pageFile = folder.filePath(QStringLiteral("page.pdf"));
    // Qt draws widgets onto a printer through a bitmap, onto a PDF writer as texts and
    // lines: the print system is handed the PDF, laid out on the printer's own page.
    const QPageLayout layout = QPrinter(info, QPrinter::HighResolution).pageLayout();
    if (SaveDialogPdf(pageFile, dialog, title, layout))
        return QStringLiteral("The page for the printer \"%1\" could not be prepared, so nothing "
                              "was printed.")
            .arg(printerName);
    return SubmitFile(info.printerName(), pageFile, title, layout.pageSize().key());
}
