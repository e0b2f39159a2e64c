// Printing without a print system: the page itself through Qt's PDF output, the printer
// dialog's layout, and what OK, Cancel and the close box do when no printer exists.
#include "PrintingTestKit.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "reports/PageImage.h"
#include "reports/Printing.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Points the print system at a folder that does not exist, so "no printer installed" holds
// on every machine. Runs before anything asks Qt for printers.
const bool noPrintSystem = [] {
    const QByteArray nowhere = "/nonexistent/tamsic-" + QByteArray::number(qint64(::getpid()));
    return qputenv("CUPS_SERVER", nowhere + "/nobody.sock") && qputenv("CUPS_SERVERROOT", nowhere);
}();

struct FitCase {
    const char *name;
    QSize image;
    QRect area;
    QRect expected;
};

void PrintTo(const FitCase &fit, std::ostream *out)
{
    *out << fit.name;
}

class FitIntoAreaTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitIntoAreaTest, KeepsProportionsAndFillsOneSide)
{
    EXPECT_EQ(FitIntoArea(GetParam().image, GetParam().area), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, FitIntoAreaTest,
    ::testing::Values(FitCase{"WideGrowsToTheWidth", {200, 100}, {0, 0, 1000, 1000}, {0, 0, 1000, 500}},
                      FitCase{"TallGrowsToTheHeight", {100, 200}, {0, 0, 1000, 1000}, {0, 0, 500, 1000}},
                      FitCase{"LargeShrinksIntoTheCorner", {4000, 2000}, {10, 20, 100, 100}, {10, 20, 100, 50}},
                      FitCase{"EmptyImage", {0, 0}, {0, 0, 100, 100}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// The dialog's grey face fills a good part of the page; a white image leaves it blank,
// which proves the ink check can fail.
TEST(PageImage, PdfOutputHoldsOnePageWithTheImageOnIt)
{
    KnownRomDialog rom;
    QImage white(300, 200, QImage::Format_RGB32);
    white.fill(Qt::white);
    for (const auto &[image, minInk, maxInk] :
         {std::tuple{rom.dialog.grab().toImage(), 0.2, 1.0}, std::tuple{white, 0.0, 0.0}}) {
        QTemporaryDir folder;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("page.pdf")));
        ASSERT_TRUE(PaintImagePage(printer, image));
        const QList<QImage> pages = PdfPages(printer.outputFileName());
        ASSERT_EQ(pages.size(), 1);
        EXPECT_GE(InkShare(pages[0]), minInk);
        EXPECT_LE(InkShare(pages[0]), maxInk);
    }
}

TEST(SelectPrinterDialog, HasTheDesignedLayout)
{
    IniDocument doc;
    frmSelectPrinter dialog(doc);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Printer"));
    EXPECT_EQ(dialog.minimumSize(), QSize(305, 213));
    EXPECT_EQ(dialog.maximumSize(), QSize(305, 213));
    EXPECT_EQ(dialog.lvwPrinters()->headerItem()->text(0), QStringLiteral("Printer Name"));
    EXPECT_EQ(dialog.lvwPrinters()->headerItem()->text(1), QStringLiteral("Default?"));
    EXPECT_EQ(dialog.cmdCancel()->geometry(), QRect(232, 184, 65, 25));
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
