// Printing without a print system: the page itself through Qt's PDF output, the printer
// dialog's layout, and what OK, Cancel and the close box do when no printer exists.
#include "PdfCheck.h"
#include "PrinterDialogDriver.h"
#include "KnownRomDialog.h"

#include "FakeUserInterface.h"
#include "reports/PageImage.h"
#include "reports/Printing.h"
#include "reports/SelectPrinterDialog.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// Points the print system at a socket nobody listens on, so "no printer installed" holds
// on every machine. Runs before anything asks Qt for printers.
class NoPrintSystem final : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("CUPS_SERVER", QFile::encodeName(m_folder.filePath(QStringLiteral("nobody.sock"))));
        qputenv("CUPS_SERVERROOT", QFile::encodeName(m_folder.path()));
    }

private:
    QTemporaryDir m_folder;
};

::testing::Environment *const noPrintSystem = ::testing::AddGlobalTestEnvironment(new NoPrintSystem);

// The next widget Tab moves to from widget.
QWidget *NextTabStop(QWidget *widget)
{
    do
        widget = widget->nextInFocusChain();
    while (!(widget->focusPolicy() & Qt::TabFocus));
    return widget;
}

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
                      FitCase{"SquareInALandscapeArea", {300, 300}, {5, 5, 600, 400}, {5, 5, 400, 400}},
                      FitCase{"EmptyImage", {0, 0}, {0, 0, 100, 100}, {}},
                      FitCase{"EmptyArea", {50, 50}, {0, 0, 0, 0}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PageImage, PdfOutputHoldsOneNonBlankPageFillingThePrintableWidth)
{
    KnownRomDialog rom;
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);

    ASSERT_TRUE(PaintImagePage(printer, rom.dialog.grab().toImage()));

    EXPECT_EQ(PdfPageCount(pdf), 1);
    // The dialog's grey face, spread across the page width, covers a good part of it.
    EXPECT_GT(PdfInkShare(pdf), 0.2);
}

TEST(PageImage, ABlankImageGivesABlankPage)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("blank.pdf"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QImage white(300, 200, QImage::Format_RGB32);
    white.fill(Qt::white);

    ASSERT_TRUE(PaintImagePage(printer, white));

    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_EQ(PdfInkShare(pdf), 0.0);
}

TEST(SelectPrinterDialog, HasTheDesignedLayout)
{
    IniDocument doc;
    frmSelectPrinter dialog(doc);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Printer"));
    EXPECT_EQ(dialog.size(), QSize(305, 213));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    QTreeWidget *list = dialog.lvwPrinters();
    EXPECT_EQ(list->objectName(), QStringLiteral("lvwPrinters"));
    EXPECT_EQ(list->geometry(), QRect(0, 0, 305, 177));
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Printer Name"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Default?"));
    EXPECT_EQ(list->columnWidth(0), 200);
    EXPECT_EQ(list->columnWidth(1), 100);

    EXPECT_EQ(dialog.cmdOK()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.cmdOK()->geometry(), QRect(160, 184, 65, 25));
    EXPECT_EQ(dialog.cmdCancel()->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog.cmdCancel()->geometry(), QRect(232, 184, 65, 25));
    for (QPushButton *button : {dialog.cmdOK(), dialog.cmdCancel()}) {
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
    EXPECT_EQ(NextTabStop(list), dialog.cmdCancel());
    EXPECT_EQ(NextTabStop(dialog.cmdCancel()), dialog.cmdOK());
    EXPECT_EQ(NextTabStop(dialog.cmdOK()), list);
}

// Each way of leaving the dialog with no printer installed, and what follows it.
struct LeaveCase {
    const char *name;
    std::function<void(frmSelectPrinter &)> leave;
    bool cancelled;
};

void PrintTo(const LeaveCase &leave, std::ostream *out)
{
    *out << leave.name;
}

class NoPrinterInstalled : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(NoPrinterInstalled, OkSaysSoWhileCancelAndCloseBoxStaySilent)
{
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty());
    KnownRomDialog rom;
    IniDocument doc;
    doc.PrintCancelled = !GetParam().cancelled; // the dialog must set it either way
    FakeUserInterface ui;
    QStringList rows{QStringLiteral("not looked at")};
    WhenDialogShows<frmSelectPrinter>([&](frmSelectPrinter &chooser) {
        rows = PrinterRows(chooser);
        GetParam().leave(chooser);
    });

    PrintRomProperties(rom.dialog, doc, ui);

    EXPECT_TRUE(rows.isEmpty());
    EXPECT_EQ(doc.PrintCancelled, GetParam().cancelled);
    if (GetParam().cancelled) {
        EXPECT_TRUE(ui.shown.empty());
    } else {
        ASSERT_EQ(ui.errors().size(), 1u);
        EXPECT_EQ(ui.errors()[0].title, QStringLiteral("Error"));
        EXPECT_TRUE(ui.errors()[0].text.contains(QStringLiteral("No printer is installed")))
            << ui.errors()[0].text.toStdString();
    }
    EXPECT_TRUE(rom.dialog.isVisible()) << "the properties dialog stays open";
}

INSTANTIATE_TEST_SUITE_P(
    Ways, NoPrinterInstalled,
    ::testing::Values(LeaveCase{"OK", [](frmSelectPrinter &d) { d.cmdOK()->click(); }, false},
                      LeaveCase{"Cancel", [](frmSelectPrinter &d) { d.cmdCancel()->click(); }, true},
                      LeaveCase{"CloseBox", [](frmSelectPrinter &d) { d.close(); }, true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
