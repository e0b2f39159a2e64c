#pragma once

#include "inidb/RomEntry.h"
#include "inidb/TextStore.h"
#include "inidb/TextEncoding.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UserInterface;

// The dialog's controls, named as the form names them (each is also its object name).
struct PropertiesControls {
    QGroupBox *fraRomInfo = nullptr;
    QLabel *lblName = nullptr;
    QLineEdit *txtRomName = nullptr;
    QLabel *lblCountry = nullptr;
    QLabel *imgCountry = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *cboComments = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtInfo = nullptr;

    QGroupBox *fraCompatibility = nullptr;
    QCheckBox *chkDynaRec = nullptr;
    QCheckBox *chkExpansionPak = nullptr;

    QGroupBox *fraSpeed = nullptr;
    QCheckBox *chkSpeedSync = nullptr;
    QCheckBox *chkTextureCRC = nullptr;

    QGroupBox *fraEeprom = nullptr;
    QCheckBox *chkEeprom = nullptr;
    QLabel *lblSize = nullptr;
    QComboBox *cboEeprom = nullptr;
    QLabel *Label4 = nullptr;

    QGroupBox *fraGraphics = nullptr;
    QLabel *lblUCode = nullptr;
    QComboBox *cboUCode = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *lblScaleFactor = nullptr;
    QComboBox *cboScaleFactor = nullptr;
    QLabel *Label3 = nullptr;
    QCheckBox *chkTexRectEdge = nullptr;

    QGroupBox *fraOSHLE = nullptr;
    QCheckBox *chkOSHLE = nullptr;
    QLabel *lblRescanAfter = nullptr;
    QLineEdit *txtOSHLE = nullptr;
    QLabel *lblDMATransfers = nullptr;
    QLabel *Label5 = nullptr;

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdPrint = nullptr;
};

// "Rom Properties": every setting of one entry in editable controls. A new dialog is made
// for every opening and starts in its design state; FillRomProperties fills it. OK writes
// the controls back into the entry it was made for; Cancel and the close box change nothing.
// Texts read and write in the file's encoding; ui shows why OK refuses a text it cannot hold.
class frmProperties final : public QDialog {
    Q_OBJECT
public:
    using PrintFunction = std::function<void(QWidget &dialog)>;

    frmProperties(RomEntry &entry, PrintFunction print, QWidget *parent = nullptr,
                  TextEncoding encoding = TextEncoding::Windows1252, UserInterface *ui = nullptr,
                  TextStore *texts = nullptr);

    const PropertiesControls &controls() const { return m_controls; }
    TextEncoding encoding() const { return m_encoding; }
    // Where OK keeps the texts it writes into the entry: the document's store, or, for a
    // dialog made without one, a store of the dialog's own that lives as long as it.
    TextStore &texts() const { return m_texts; }

    void chkEeprom_Click();
    void chkOSHLE_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdPrint_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createRomInfo();
    void createCompatibilityAndSpeed();
    void createEeprom();
    void createGraphics();
    void createOSHLE();
    void createButtons();
    void chainTabOrder();

    RomEntry &m_entry;
    TextStore m_ownTexts;
    TextStore &m_texts;
    PrintFunction m_print;
    TextEncoding m_encoding;
    UserInterface *m_ui;
    PropertiesControls m_controls;
};
