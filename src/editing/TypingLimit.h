#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

// What the user may type or paste into a text box: at most maxTyped characters and,
// for number boxes, only the digits 0 to 9. Text the program sets is shown whole, so
// this is a typing limit and never a truncation of it: each edit is checked for what it
// inserts, and deleting from an over-long text always goes through.
class TypingLimit final : public QObject {
    Q_OBJECT
public:
    enum class Characters {
        // One line of text: a pasted line break (CR LF, LF or CR) becomes one blank,
        // other control characters but the tab are dropped, so no value can split its
        // block in the file.
        SingleLine,
        // Digits only: an insertion holding anything else is refused whole.
        DigitsOnly,
    };

    TypingLimit(QLineEdit &edit, int maxTyped, Characters allowed);

private:
    void onTextChanged();
    void onTextEdited(const QString &text);

    QLineEdit &m_edit;
    const int m_maxTyped;
    const Characters m_allowed;
    QString m_lastText;
};
