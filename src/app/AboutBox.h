#pragma once

#include <QDialog>

// frmAbout: the program's name and version beside its logo.
class AboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
};
