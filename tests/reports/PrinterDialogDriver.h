#pragma once

#include "reports/SelectPrinterDialog.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs act on the modal dialog of type Dialog as soon as it shows, so a test can answer
// it while the code under test waits in exec().
template <typename Dialog>
void WhenDialogShows(std::function<void(Dialog &)> act, int triesLeft = 500)
{
    QTimer::singleShot(10, [act, triesLeft] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            act(*dialog);
        } else if (triesLeft > 0) {
            WhenDialogShows<Dialog>(act, triesLeft - 1);
        } else {
            ADD_FAILURE() << "the awaited dialog never showed";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
        }
    });
}

// Clicks the row of printer in the dialog's list, as the user would with the mouse.
void ClickPrinterRow(frmSelectPrinter &dialog, const QString &printer);

// The rows as "name|second column", top to bottom.
QStringList PrinterRows(const frmSelectPrinter &dialog);
