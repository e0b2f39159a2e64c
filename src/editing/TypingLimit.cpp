#include "TypingLimit.h"

#include <QLineEdit>

#include <algorithm>

namespace {

qsizetype countNonDigits(const QString &text)
{
    return std::count_if(text.cbegin(), text.cend(),
                         [](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); });
}

} // namespace

TypingLimit::TypingLimit(QLineEdit &edit, int maxTyped, Characters allowed)
    : QObject(&edit), m_edit(edit), m_maxTyped(maxTyped), m_allowed(allowed), m_lastText(edit.text())
{
    // textChanged follows every change (the program's too), textEdited only the user's.
    connect(&edit, &QLineEdit::textChanged, this, &TypingLimit::onTextChanged);
    connect(&edit, &QLineEdit::textEdited, this, &TypingLimit::onTextEdited);
    connect(&edit, &QLineEdit::cursorPositionChanged, this,
            [this](int, int position) { m_lastCursor = position; });
}

void TypingLimit::onTextChanged()
{
    // Read the box itself: after a taken-back edit the line edit still announces the
    // rejected text it captured before the take-back.
    m_lastText = m_edit.text();
}

bool TypingLimit::allows(const QString &before, const QString &after) const
{
    // A text already past the limit (set by the program) may still be shortened.
    if (after.size() > m_maxTyped && after.size() >= before.size())
        return false;
    // A stored "-5" is shown as it is; the user just cannot add such characters.
    return m_allowed == Characters::Any || countNonDigits(after) <= countNonDigits(before);
}

void TypingLimit::onTextEdited(const QString &text)
{
    // textChanged for this edit comes after textEdited, so m_lastText is still the old text.
    if (allows(m_lastText, text))
        return;
    const QString previous = m_lastText;
    const int cursor = m_lastCursor;
    m_edit.setText(previous);
    m_edit.setCursorPosition(cursor);
}
