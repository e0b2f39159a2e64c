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

#include <QImage>
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

// The share (0..1) of pixels that are not near white on each page of a PDF, rendered at a
// low resolution by poppler.
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
// own Print button prints an edit not yet applied, without storing it, as one non-blank
// page on the clicked printer.
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
