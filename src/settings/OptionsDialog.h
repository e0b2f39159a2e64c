#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;
class QRadioButton;
class RegistryStore;
struct IniDocument;

// frmOptions: whether the last ini file opens at start-up, and the order entries are
// saved in. Loading it reads both settings; Apply and OK store them.
class OptionsDialog final : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(RegistryStore &store, IniDocument &doc, QWidget *parent = nullptr);

public slots:
    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();

private:
    void buildControls();
    void Form_Load();
    void saveChoices();

    RegistryStore &m_store;
    IniDocument &m_doc;
    QCheckBox *m_chkAutoLoad = nullptr;
    std::array<QRadioButton *, 2> m_optSaveType{};
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QPushButton *m_cmdApply = nullptr;
};
