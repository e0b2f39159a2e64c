#include "PrintingTestKit.h"

#include "editing/RomProperties.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

RomEntry KnownRom()
{
    RomEntry rom;
    rom.Name = "Lava Rally";
    rom.CRC = "FF124298-A75BB258-45";
    rom.UCode = 1;
    rom.Comment = "Almost Playable";
    rom.Info = "Fog flickers on the third track";
    rom.DisableDynarec = true;
    rom.IncTexRectEdge = true;
    rom.EepromSize = 16384;
    return rom;
}

KnownRomDialog::KnownRomDialog()
    : entry(KnownRom())
    , dialog(entry, nullptr)
{
    FillRomProperties(dialog, entry);
    dialog.show();
}

void ClickPrinterRow(frmSelectPrinter &dialog, const QString &printer)
{
    QTreeWidget *list = dialog.lvwPrinters();
    const QList<QTreeWidgetItem *> rows = list->findItems(printer, Qt::MatchExactly, 0);
    ASSERT_EQ(rows.size(), 1) << printer.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(rows[0]).center());
}

QStringList PrinterRows(const frmSelectPrinter &dialog)
{
    QStringList rows;
    QTreeWidget *list = dialog.lvwPrinters();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0) + QLatin1Char('|') + list->topLevelItem(i)->text(1);
    return rows;
}

QList<QImage> PdfPages(const QString &pdfPath)
{
    QTemporaryDir folder;
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                                pdfPath, folder.filePath(QStringLiteral("page"))});
    QList<QImage> pages;
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return pages;
    const QDir dir(folder.path());
    for (const QString &name : dir.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        pages << QImage(dir.filePath(name));
    return pages;
}

double InkShare(const QImage &page)
{
    const QImage rgb = page.convertToFormat(QImage::Format_RGB32);
    qint64 ink = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            ink += qGray(rgb.pixel(x, y)) < 245;
    return rgb.isNull() ? 0.0 : double(ink) / (double(rgb.width()) * rgb.height());
}
