// Printing without a print system: where the page's image goes, and what OK does when no
// printer exists (the printed page itself is checked through a real queue).
#include "PrintingTestKit.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "reports/PageImage.h"
#include "reports/Printing.h"

#include <QPrinterInfo>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <tuple>
#include <unistd.h>

namespace {

// Points the print system at a folder that does not exist, so "no printer installed" holds
// on every machine. Runs before anything asks Qt for printers.
const bool noPrintSystem = [] {
    const QByteArray nowhere = "/nonexistent/tamsic-" + QByteArray::number(qint64(::getpid()));
    return qputenv("CUPS_SERVER", nowhere + "/nobody.sock") && qputenv("CUPS_SERVERROOT", nowhere);
}();

// The image keeps its proportions and fills one side of the area.
TEST(FitIntoArea, KeepsProportionsAndFillsOneSide)
{
    const std::tuple<QSize, QRect, QRect> shapes[] = {{{200, 100}, {0, 0, 1000, 1000}, {0, 0, 1000, 500}},
                                                      {{100, 200}, {0, 0, 1000, 1000}, {0, 0, 500, 1000}},
                                                      {{4000, 2000}, {10, 20, 100, 100}, {10, 20, 100, 50}},
                                                      {{0, 0}, {0, 0, 100, 100}, {}}};
    for (const auto &[image, area, expected] : shapes)
        EXPECT_EQ(FitIntoArea(image, area), expected) << image.width() << "x" << image.height();
}

// Cancel and the close box are covered with real printers; here OK has none to use.
TEST(NoPrinterInstalled, OkSaysSoAndTheDialogStaysOpen)
{
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty());
    KnownRomDialog rom;
    IniDocument doc;
    doc.PrintCancelled = true; // OK must clear it
    FakeUserInterface ui;
    QStringList rows{QStringLiteral("not looked at")};
    whenModal<frmSelectPrinter>([&](frmSelectPrinter *chooser) {
        rows = PrinterRows(*chooser);
        chooser->cmdOK()->click();
    });

    PrintRomProperties(rom.dialog, doc, ui);

    EXPECT_TRUE(rows.isEmpty());
    EXPECT_FALSE(doc.PrintCancelled);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(ui.shown[0].text.contains(QStringLiteral("No printer is installed"))) << ui.shown[0].text.toStdString();
    EXPECT_TRUE(rom.dialog.isVisible()) << "the properties dialog stays open";
}

} // namespace
