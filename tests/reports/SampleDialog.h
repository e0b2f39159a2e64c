#pragma once

#include <QDialog>

// A small stand-in for the properties dialog: a title, a name field, a comment, switches
// and buttons on the usual grey dialog face, so a printed image of it is plainly not blank.
class SampleDialog final : public QDialog {
public:
    explicit SampleDialog(QWidget *parent = nullptr);
};
