#include "PrintingTestKit.h"

#include "editing/RomProperties.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

RomEntry KnownRom()
{
    RomEntry rom;
    rom.Name = "Lava Rally";
    rom.CRC = "FF124298-A75BB258-45";
    rom.UCode = 1;
    rom.Info = "Fog flickers on the third track";
    rom.DisableDynarec = true;
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

QList<double> PageInk(const QString &pdfPath)
{
    QTemporaryDir folder;
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                                pdfPath, folder.filePath(QStringLiteral("page"))});
    QList<double> pages;
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return pages;
    const QDir dir(folder.path());
    for (const QString &name : dir.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        const QImage page = QImage(dir.filePath(name)).convertToFormat(QImage::Format_Grayscale8);
        qint64 ink = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                ink += page.constScanLine(y)[x] < 245;
        pages << double(ink) / std::max<qint64>(1, qint64(page.width()) * page.height());
    }
    return pages;
}
