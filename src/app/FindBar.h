#pragma once

#include <QWidget>

class QLineEdit;

// The find box above the list: "Find:" and the text to find. Esc empties it, Down hands
// the keys on to the list.
class FindBar final : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget *parent = nullptr);

    QLineEdit &box() { return *m_txtFind; }
    // Ctrl+F: the box takes the keys with its text selected, to be typed over.
    void takeFocus();

signals:
    void findTextChanged(const QString &text);
    // The box is about to be typed in.
    void focused();
    void downToList();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_txtFind = nullptr;
};
