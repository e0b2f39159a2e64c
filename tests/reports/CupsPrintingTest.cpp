// Printing through a real print system: a private CUPS scheduler with PDF queues.
#include "PdfCheck.h"
#include "PrinterDialogDriver.h"
#include "PrivateCupsServer.h"
#include "KnownRomDialog.h"

#include "FakeUserInterface.h"
#include "editing/EditingCommands.h"
#include "reports/Printing.h"

#include <QPrinterInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// "alpha" is the system default, "beta" another printer, "closed" refuses every job.
const QString Alpha = QStringLiteral("alpha");
const QString Beta = QStringLiteral("beta");
const QString Closed = QStringLiteral("closed");

// cups-pdf runs ghostscript per job; a loaded machine needs a while.
constexpr int PdfTimeoutMs = 120000;

PrivateCupsServer *server = nullptr;
QString serverProblem;

// The scheduler starts before any test asks Qt for printers, and stops after the last.
class CupsEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        server = &m_server;
        if (!m_server.start({Alpha, Beta, Closed}) || !m_server.setDefault(Alpha)
            || !m_server.rejectJobs(Closed))
            serverProblem = m_server.problem().isEmpty() ? QStringLiteral("lpadmin/cupsreject failed")
                                                         : m_server.problem();
    }
    void TearDown() override { m_server.stop(); }

private:
    PrivateCupsServer m_server;
};

::testing::Environment *const cupsEnvironment = ::testing::AddGlobalTestEnvironment(new CupsEnvironment);

class PrintingThroughCups : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!serverProblem.isEmpty())
            GTEST_SKIP() << "no private CUPS scheduler: " << serverProblem.toStdString();
        jobsBefore = jobsEverywhere();
    }

    // Presses Print: the dialog is answered by leave once it shows.
    QStringList print(std::function<void(frmSelectPrinter &)> leave)
    {
        QStringList rows;
        WhenDialogShows<frmSelectPrinter>([&rows, leave](frmSelectPrinter &chooser) {
            rows = PrinterRows(chooser);
            leave(chooser);
        });
        PrintRomProperties(rom.dialog, doc, ui);
        return rows;
    }

    int jobsEverywhere() const
    {
        return server->jobCount(Alpha) + server->jobCount(Beta) + server->jobCount(Closed);
    }

    int jobsBefore = 0;
    KnownRomDialog rom;
    IniDocument doc;
    FakeUserInterface ui;
};

QString Row(const QString &shortName, const char *mark)
{
    return server->queue(shortName) + QLatin1Char('|') + QString::fromLatin1(mark);
}

// First in this file: until the user picks a printer, the system default is the one used.
TEST_F(PrintingThroughCups, OkWithoutAChoicePrintsOnePageOfTheDialogOnTheDefaultPrinter)
{
    const QStringList rows = print([](frmSelectPrinter &chooser) { chooser.cmdOK()->click(); });

    EXPECT_TRUE(rows.contains(Row(Alpha, "Default")));
    EXPECT_TRUE(rows.contains(Row(Beta, "")));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(doc.PrintCancelled);
    EXPECT_EQ(ui.busyCalls, 1);
    EXPECT_EQ(ui.busyDepth, 0);
    const QString pdf = server->waitForPdf(Alpha, PdfTimeoutMs);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived from the default printer's queue\n"
                                << server->logTail().toStdString();
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_GT(PdfInkShare(pdf), 0.1) << "the printed page is blank";
    EXPECT_EQ(server->jobCount(Beta), 0);
}

TEST_F(PrintingThroughCups, ListsThePrintersInThePrintSystemsOrderEachWithThePrinterPicture)
{
    QStringList expected;
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        expected << name;
    QStringList names;
    bool everyRowHasPicture = true;
    print([&](frmSelectPrinter &chooser) {
        for (int i = 0; i < chooser.lvwPrinters()->topLevelItemCount(); ++i) {
            names << chooser.lvwPrinters()->topLevelItem(i)->text(0);
            everyRowHasPicture &= !chooser.lvwPrinters()->topLevelItem(i)->icon(0).isNull();
        }
        chooser.cmdCancel()->click();
    });
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(names.contains(server->queue(Alpha)) && names.contains(server->queue(Beta)));
    EXPECT_TRUE(everyRowHasPicture);
}

TEST_F(PrintingThroughCups, DefaultMarkFollowsTheLastClickedRowWhileCancelAndCloseBoxPrintNothing)
{
    print([](frmSelectPrinter &chooser) {
        ClickPrinterRow(chooser, server->queue(Beta));
        chooser.cmdCancel()->click();
    });
    EXPECT_TRUE(doc.PrintCancelled);

    doc.PrintCancelled = false;
    QStringList rows = print([](frmSelectPrinter &chooser) {
        ClickPrinterRow(chooser, server->queue(Alpha));
        chooser.close();
    });
    EXPECT_TRUE(rows.contains(Row(Beta, "Default")));
    EXPECT_TRUE(rows.contains(Row(Alpha, "")));
    EXPECT_TRUE(doc.PrintCancelled) << "the close box counts as Cancel";

    rows = print([](frmSelectPrinter &chooser) { chooser.cmdCancel()->click(); });
    EXPECT_TRUE(rows.contains(Row(Alpha, "Default")));
    EXPECT_TRUE(rows.contains(Row(Beta, "")));
    EXPECT_EQ(rows.filter(QStringLiteral("|Default")).size(), 1);

    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(jobsEverywhere(), jobsBefore);
}

// The whole way: the properties dialog's own Print button, a clicked printer, and an
// edit the user has not applied yet, which is printed but not stored.
TEST_F(PrintingThroughCups, PrintButtonPrintsThePropertiesDialogOnTheClickedPrinter)
{
    doc.EntryTable = {KnownRom()};
    QString infoOnScreen;
    WhenDialogShows<frmProperties>([&](frmProperties &properties) {
        properties.controls().txtInfo->setText(QStringLiteral("Edited but not applied"));
        WhenDialogShows<frmSelectPrinter>([](frmSelectPrinter &chooser) {
            ClickPrinterRow(chooser, server->queue(Beta));
            chooser.cmdOK()->click();
        });
        properties.controls().cmdPrint->click();
        infoOnScreen = properties.controls().txtInfo->text();
        properties.controls().cmdCancel->click();
    });

    ShowRomProperties(nullptr, doc, 0, [this](QWidget &dialog) { PrintRomProperties(dialog, doc, ui); });

    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(infoOnScreen, QStringLiteral("Edited but not applied")) << "printing applies nothing";
    EXPECT_EQ(doc.EntryTable[0], KnownRom());
    const QString pdf = server->waitForPdf(Beta, PdfTimeoutMs);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF arrived from the clicked printer's queue\n"
                                << server->logTail().toStdString();
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_GT(PdfInkShare(pdf), 0.1);
}

TEST_F(PrintingThroughCups, APrinterThatRefusesTheJobIsReportedAsAnError)
{
    print([](frmSelectPrinter &chooser) {
        ClickPrinterRow(chooser, server->queue(Closed));
        chooser.cmdOK()->click();
    });
    ASSERT_EQ(ui.errors().size(), 1u);
    EXPECT_EQ(ui.errors()[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(ui.errors()[0].text.contains(server->queue(Closed))) << ui.errors()[0].text.toStdString();
    EXPECT_FALSE(doc.PrintCancelled);
    EXPECT_EQ(ui.busyDepth, 0) << "the busy cursor is gone before the message shows";
    EXPECT_EQ(server->jobCount(Closed), 0);
}

} // namespace
