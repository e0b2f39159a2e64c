#include "SelectPrinterDialog.h"

#include "CurrentPrinter.h"
#include "ui/Twips.h"
#include "ui/ImagelistSmall.h"

#include <QHeaderView>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &text, const QRect &place)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    // Enter must not press a button behind the user's back: neither is the default.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

frmSelectPrinter::frmSelectPrinter(IniDocument &doc, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_doc(doc)
    , m_lvwPrinters(new QTreeWidget(this))
    , m_cmdOK(MakeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"),
                         TwipsRect(2400, 2760, 975, 375)))
    , m_cmdCancel(MakeButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"),
                             TwipsRect(3480, 2760, 975, 375)))
    , m_cmdSavePdf(MakeButton(this, QStringLiteral("cmdSavePdf"), QStringLiteral("Save as PDF\u2026"),
                              TwipsRect(120, 2760, 1455, 375)))
{
    setObjectName(QStringLiteral("frmSelectPrinter"));
    setWindowTitle(QStringLiteral("Select Printer"));
    setFixedSize(TwipsToPixels(4575), TwipsToPixels(3195));

    m_lvwPrinters->setObjectName(QStringLiteral("lvwPrinters"));
    m_lvwPrinters->setGeometry(TwipsRect(0, 0, 4575, 2655));
    m_lvwPrinters->setColumnCount(2);
    m_lvwPrinters->setHeaderLabels({QStringLiteral("Printer Name"), QStringLiteral("Default?")});
    m_lvwPrinters->setColumnWidth(0, TwipsToPixels(3000));
    m_lvwPrinters->setColumnWidth(1, TwipsToPixels(1500));
    m_lvwPrinters->setRootIsDecorated(false);
    m_lvwPrinters->setIconSize(QSize(ImagelistSmall::PictureSize, ImagelistSmall::PictureSize));
    m_lvwPrinters->header()->setSectionsMovable(false);

    setTabOrder(m_lvwPrinters, m_cmdCancel);
    setTabOrder(m_cmdCancel, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdSavePdf);

    connect(m_lvwPrinters, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { lvwPrinters_ItemClick(item); });
    connect(m_lvwPrinters, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { lvwPrinters_ItemClick(item); });
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(m_cmdSavePdf, &QPushButton::clicked, this, [this] { cmdSavePdf_Click(); });

    GetPrinters();
}

void frmSelectPrinter::GetPrinters()
{
    const QString current = CurrentPrinter::name();
    const QIcon picture = ImagelistSmall::icon(QStringLiteral("Printer"));
    m_lvwPrinters->clear();
    for (const QPrinterInfo &printer : QPrinterInfo::availablePrinters()) {
        auto *row = new QTreeWidgetItem(m_lvwPrinters, {printer.printerName()});
        row->setIcon(0, picture);
        if (printer.printerName() == current)
            row->setText(1, QStringLiteral("Default"));
    }
}

void frmSelectPrinter::lvwPrinters_ItemClick(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString clicked = item->text(0);
    // Only a printer that is still installed becomes the current one.
    for (const QString &name : QPrinterInfo::availablePrinterNames()) {
        if (name == clicked) {
            CurrentPrinter::choose(name);
            return;
        }
    }
}

void frmSelectPrinter::cmdOK_Click()
{
    m_doc.PrintCancelled = false;
    accept();
}

void frmSelectPrinter::cmdCancel_Click()
{
    reject();
}

void frmSelectPrinter::cmdSavePdf_Click()
{
    m_pdfChosen = true;
    cmdOK_Click();
}

void frmSelectPrinter::reject()
{
    m_doc.PrintCancelled = true;
    QDialog::reject();
}
