// Printing through a real print system: a private CUPS scheduler with PDF queues.
#include "PrivateCupsServer.h"

#include "FakeUserInterface.h"
#include "ModalDriver.h"
#include "editing/EditingCommands.h"
#include "editing/RomProperties.h"
#include "editing/frmProperties.h"
#include "reports/Printing.h"
#include "reports/SelectPrinterDialog.h"
#include "TestText.h"

#include <QProcess>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
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

// A ROM with settings that show in the dialog.
RomEntry KnownRom()
{
    RomEntry rom;
    rom.Name = Text("Lava Rally");
    rom.CRC = Text("FF124298-A75BB258-45");
    rom.Info = Text("Fog flickers on the third track");
    rom.DisableDynarec = true;
    return rom;
}

// Clicks the row of printer in the dialog's list, as the user would with the mouse.
void ClickPrinterRow(frmSelectPrinter &dialog, const QString &printer)
{
    QTreeWidget *list = dialog.lvwPrinters();
    const QList<QTreeWidgetItem *> rows = list->findItems(printer, Qt::MatchExactly, 0);
    ASSERT_EQ(rows.size(), 1) << printer.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(rows[0]).center());
}

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
        FillRomProperties(dialog, rom);
        dialog.show();
    }

    // Presses Print: the dialog is answered by leave once it shows; gives its rows as
    // "name|second column".
    QStringList print(std::function<void(frmSelectPrinter &)> leave)
    {
        QStringList rows;
        whenModal<frmSelectPrinter>(
            [&rows, leave](frmSelectPrinter *chooser) {
                for (int i = 0; i < chooser->lvwPrinters()->topLevelItemCount(); ++i)
                    rows << chooser->lvwPrinters()->topLevelItem(i)->text(0) + QLatin1Char('|')
                                + chooser->lvwPrinters()->topLevelItem(i)->text(1);
                leave(*chooser);
            },
            ModalTries);
        PrintRomProperties(dialog, doc, ui);
        return rows;
    }

    static QStringList marked(const QString &name) { return {server.queue(name) + QStringLiteral("|Default")}; }

    static inline PrivateCupsServer server;
    static inline QString serverProblem;
    RomEntry rom = KnownRom();
    frmProperties dialog{rom, nullptr};
    IniDocument doc;
    FakeUserInterface ui;
};

// Until the user picks a printer, OK prints on the system default. The properties dialog's
// own Print button prints an edit not yet applied, without storing it, on the clicked printer.
TEST_F(PrintingThroughCups, PrintsOnTheDefaultThenOnTheClickedPrinter)
{
    const QStringList rows = print([](frmSelectPrinter &chooser) { chooser.cmdOK()->click(); });
    EXPECT_EQ(rows.filter(QStringLiteral("|Default")), marked(Alpha));
    EXPECT_FALSE(doc.PrintCancelled);
    EXPECT_EQ(std::tuple(server.jobCount(Alpha), server.jobCount(Beta)), std::tuple(1, 0));

    doc.EntryTable = {KnownRom()};
    whenModal<frmProperties>([&](frmProperties *properties) {
        properties->controls().txtInfo->setText(QStringLiteral("Edited but not applied"));
        whenModal<frmSelectPrinter>(
            [](frmSelectPrinter *chooser) {
                ClickPrinterRow(*chooser, server.queue(Beta));
                chooser->cmdOK()->click();
            },
            ModalTries);
        properties->controls().cmdPrint->click();
        properties->controls().cmdCancel->click();
    });
    ShowRomProperties(nullptr, doc, 0, ui, [this](QWidget &dialog) { PrintRomProperties(dialog, doc, ui); });
    EXPECT_EQ(doc.EntryTable[0], KnownRom()) << "printing applies nothing";
    const QString pdf = server.waitForPdf(Beta, PdfTimeoutMs);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived from the clicked printer's queue";
    // The printer is handed the page drawn, its texts as text, not a picture of it.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {server.jobDocuments().last(), QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(60000));
    EXPECT_TRUE(pdftotext.readAllStandardOutput().contains("Edited but not applied"));
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
    EXPECT_EQ(rows.filter(QStringLiteral("|Default")), marked(Beta));
    EXPECT_TRUE(doc.PrintCancelled) << "the close box counts as Cancel";
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
