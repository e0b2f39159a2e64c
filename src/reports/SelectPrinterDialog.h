#pragma once

#include "inidb/IniDocument.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Select Printer": lists the installed printers, marks the program's current printer
// "Default", and makes a clicked printer the current one at once. OK and Cancel record
// their answer in the document's PrintCancelled; closing the window counts as Cancel.
// "Save as PDF…", there with or without a printer, ends it like OK but asks for a PDF file.
class frmSelectPrinter final : public QDialog {
    Q_OBJECT
public:
    explicit frmSelectPrinter(IniDocument &doc, QWidget *parent = nullptr);

    QTreeWidget *lvwPrinters() const { return m_lvwPrinters; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }
    QPushButton *cmdSavePdf() const { return m_cmdSavePdf; }
    // Whether the dialog ended with "Save as PDF…".
    bool pdfChosen() const { return m_pdfChosen; }

    void GetPrinters();
    void lvwPrinters_ItemClick(QTreeWidgetItem *item);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdSavePdf_Click();

    // The close box and Escape end here: both mean Cancel.
    void reject() override;

private:
    IniDocument &m_doc;
    QTreeWidget *m_lvwPrinters;
    QPushButton *m_cmdOK;
    QPushButton *m_cmdCancel;
    QPushButton *m_cmdSavePdf;
    bool m_pdfChosen = false;
};
