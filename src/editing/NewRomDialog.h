#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

// Asks for the CRC identifier and the name of a new ROM. OK hands both to the check,
// which tells the user what is wrong and gives false to keep the dialog open.
class NewRomDialog final : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<bool(const QString &crc, const QString &name)>;

    NewRomDialog(const QString &caption, const QString &crc, const QString &name, Check check,
                 QWidget *parent = nullptr);

    QLineEdit &crcBox() const { return *m_txtCRC; }
    QLineEdit &nameBox() const { return *m_txtRomName; }

    void cmdOK_Click();

private:
    Check m_check;
    QLineEdit *m_txtCRC = nullptr;
    QLineEdit *m_txtRomName = nullptr;
};
