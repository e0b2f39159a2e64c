// Printing through a real print system: a private CUPS scheduler with PDF queues.
#include "PrintingTestKit.h"
#include "PrivateCupsServer.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "editing/EditingCommands.h"
#include "reports/Printing.h"

#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// "alpha" is the system default, "beta" another printer, "closed" refuses every job.
const QString Alpha = QStringLiteral("alpha");
const QString Beta = QStringLiteral("beta");
const QString Closed = QStringLiteral("closed");

// cups-pdf runs ghostscript per job; a loaded machine needs a while.
constexpr int PdfTimeoutMs = 120000;
// Looking up the printers takes a while there too: up to 5 s until the dialog shows.
constexpr int ModalTries = 500;

class PrintingThroughCups : public ::testing::Test {
protected:
    // The scheduler starts before any test asks Qt for printers, and stops after the last.
    static void SetUpTestSuite()
    {
        if (!server.start({Alpha, Beta, Closed}, Alpha, Closed))
            serverProblem = server.problem();
    }
    static void TearDownTestSuite() { server.stop(); }
    void SetUp() override
    {
        ASSERT_TRUE(serverProblem.isEmpty()) << "no private CUPS scheduler: " << serverProblem.toStdString();
    }

    // Presses Print: the dialog is answered by leave once it shows; gives its rows.
    QStringList print(std::function<void(frmSelectPrinter &)> leave)
    {
        QStringList rows;
        whenModal<frmSelectPrinter>(
            [&rows, leave](frmSelectPrinter *chooser) {
                rows = PrinterRows(*chooser);
                leave(*chooser);
            },
            ModalTries);
        PrintRomProperties(rom.dialog, doc, ui);
        return rows;
    }

    static QString row(const QString &shortName, const char *mark)
    {
        return server.queue(shortName) + QLatin1Char('|') + QString::fromLatin1(mark);
    }

    static inline PrivateCupsServer server;
    static inline QString serverProblem;
    KnownRomDialog rom;
    IniDocument doc;
    FakeUserInterface ui;
};

// Until the user picks a printer, OK prints on the system default, listed in the system's
// order. The properties dialog's own Print button prints an edit not yet applied, without
// storing it, as one non-blank page on the clicked printer.
TEST_F(PrintingThroughCups, PrintsOnTheDefaultThenOnTheClickedPrinter)
{
    const QStringList rows = print([](frmSelectPrinter &chooser) { chooser.cmdOK()->click(); });
    QStringList expected;
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        expected << name + (name == server.queue(Alpha) ? QStringLiteral("|Default") : QStringLiteral("|"));
    EXPECT_EQ(rows, expected);
    EXPECT_TRUE(rows.contains(row(Alpha, "Default")) && rows.contains(row(Beta, "")));
    EXPECT_FALSE(doc.PrintCancelled);
    EXPECT_EQ(ui.busyCalls, 1);
    EXPECT_EQ(std::tuple(server.jobCount(Alpha), server.jobCount(Beta)), std::tuple(1, 0));

    doc.EntryTable = {KnownRom()};
    QString infoOnScreen;
    whenModal<frmProperties>([&](frmProperties *properties) {
        properties->controls().txtInfo->setText(QStringLiteral("Edited but not applied"));
        whenModal<frmSelectPrinter>(
            [](frmSelectPrinter *chooser) {
                ClickPrinterRow(*chooser, server.queue(Beta));
                chooser->cmdOK()->click();
            },
            ModalTries);
        properties->controls().cmdPrint->click();
        infoOnScreen = properties->controls().txtInfo->text();
        properties->controls().cmdCancel->click();
    });
    ShowRomProperties(nullptr, doc, 0, ui, [this](QWidget &dialog) { PrintRomProperties(dialog, doc, ui); });
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(infoOnScreen, QStringLiteral("Edited but not applied")) << "printing applies nothing";
    EXPECT_EQ(doc.EntryTable[0], KnownRom());
    const QString pdf = server.waitForPdf(Beta, PdfTimeoutMs);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived from the clicked printer's queue";
    const QList<double> ink = PageInk(pdf);
    ASSERT_EQ(ink.size(), 1);
    EXPECT_GT(ink[0], 0.1) << "the printed page is blank";
}

// The default mark follows the last clicked row, while Cancel and the close box print nothing;
// a printer that refuses the job is reported, after the busy cursor is gone.
TEST_F(PrintingThroughCups, CancelAndCloseBoxPrintNothingAndARefusedJobIsAnError)
{
    const int jobsBefore = server.jobCount(Alpha) + server.jobCount(Beta);
    print([](frmSelectPrinter &chooser) {
        ClickPrinterRow(chooser, server.queue(Beta));
        chooser.cmdCancel()->click();
    });
    EXPECT_TRUE(doc.PrintCancelled);
    doc.PrintCancelled = false;
    QStringList rows = print([](frmSelectPrinter &chooser) {
        ClickPrinterRow(chooser, server.queue(Alpha));
        chooser.close();
    });
    EXPECT_TRUE(rows.contains(row(Beta, "Default")) && rows.contains(row(Alpha, "")));
    EXPECT_TRUE(doc.PrintCancelled) << "the close box counts as Cancel";
    rows = print([](frmSelectPrinter &chooser) { chooser.cmdCancel()->click(); });
    EXPECT_EQ(rows.filter(QStringLiteral("|Default")), QStringList{row(Alpha, "Default")});
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(server.jobCount(Alpha) + server.jobCount(Beta), jobsBefore);

    print([](frmSelectPrinter &chooser) {
        ClickPrinterRow(chooser, server.queue(Closed));
        chooser.cmdOK()->click();
    });
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_TRUE(ui.errors()[0].text.contains(server.queue(Closed))) << ui.errors()[0].text.toStdString();
    EXPECT_FALSE(doc.PrintCancelled);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(server.jobCount(Closed), 0);
}

} // namespace
