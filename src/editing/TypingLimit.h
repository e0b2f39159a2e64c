#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

// What the user may type or paste into a text box: at most maxTyped characters and,
// for number boxes, only the digits 0 to 9. Text the program sets is shown whole, so
// this is a typing limit and never a truncation: an edit that breaks the rule is
// taken back, any other edit (deleting from an over-long text, say) goes through.
class TypingLimit final : public QObject {
    Q_OBJECT
public:
    enum class Characters { Any, DigitsOnly };

    TypingLimit(QLineEdit &edit, int maxTyped, Characters allowed);

private:
    void onTextChanged();
    void onTextEdited(const QString &text);
    bool allows(const QString &before, const QString &after) const;

    QLineEdit &m_edit;
    const int m_maxTyped;
    const Characters m_allowed;
    QString m_lastText;
    int m_lastCursor = 0;
};
