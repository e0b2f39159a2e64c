#include "PrinterDialogDriver.h"

#include <QTest>
#include <QTreeWidget>

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
