#include "PrinterDialogDriver.h"

#include <QTest>
#include <QTreeWidget>

void WhenPrinterDialogShows(std::function<void(frmSelectPrinter &)> act, int triesLeft)
{
    QTimer::singleShot(10, [act, triesLeft] {
        if (auto *dialog = qobject_cast<frmSelectPrinter *>(QApplication::activeModalWidget())) {
            act(*dialog);
        } else if (triesLeft > 0) {
            WhenPrinterDialogShows(act, triesLeft - 1);
        } else {
            ADD_FAILURE() << "the Select Printer dialog never showed";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
        }
    });
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
