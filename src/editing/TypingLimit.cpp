#include "TypingLimit.h"

#include "ui/TextStart.h"

#include <QLineEdit>

#include <algorithm>
#include <optional>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString singleLine(const QString &inserted)
{
    QString line;
    line.reserve(inserted.size());
    for (qsizetype i = 0; i < inserted.size(); ++i) {
        const QChar c = inserted[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            line += QLatin1Char(' ');
            if (c == QLatin1Char('\r') && i + 1 < inserted.size() && inserted[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\t') || c.category() != QChar::Other_Control) {
            line += c;
        }
    }
    return line;
}

// What an insertion becomes in a box of this kind; nullopt when it is refused whole.
std::optional<QString> allowedInsertion(const QString &inserted, TypingLimit::Characters allowed)
{
    if (allowed == TypingLimit::Characters::SingleLine) {
        QString line = singleLine(inserted);
        if (line.isEmpty() && !inserted.isEmpty())
            return std::nullopt;
        return line;
    }
    if (!std::all_of(inserted.cbegin(), inserted.cend(), isDigit))
        return std::nullopt;
    return inserted;
}

} // namespace

TypingLimit::TypingLimit(QLineEdit &edit, int maxTyped, Characters allowed)
    : QObject(&edit), m_edit(edit), m_maxTyped(maxTyped), m_allowed(allowed), m_lastText(edit.text())
{
    // textChanged follows every change (the program's too), textEdited only the user's.
    connect(&edit, &QLineEdit::textChanged, this, &TypingLimit::onTextChanged);
    connect(&edit, &QLineEdit::textEdited, this, &TypingLimit::onTextEdited);
}

void TypingLimit::onTextChanged()
{
    // Read the box itself: after a corrected edit the line edit still announces the
    // text it captured before the correction.
    m_lastText = m_edit.text();
}

void TypingLimit::onTextEdited(const QString &text)
{
    // textChanged for this edit comes after textEdited, so m_lastText is still the old
    // text. What both share at the start and at the end was kept; the rest is inserted.
    const QString &before = m_lastText;
    const qsizetype shorter = std::min(before.size(), text.size());
    qsizetype kept = 0;
    while (kept < shorter && before[kept] == text[kept])
        ++kept;
    qsizetype keptAtEnd = 0;
    while (keptAtEnd < shorter - kept && before[before.size() - 1 - keptAtEnd] == text[text.size() - 1 - keptAtEnd])
        ++keptAtEnd;
    const QString inserted = text.mid(kept, text.size() - kept - keptAtEnd);
    const std::optional<QString> filtered = allowedInsertion(inserted, m_allowed);
    if (!filtered) {
        // A refused key or paste changes nothing, not even the selection it would replace.
        const QString unchanged = before;
        m_edit.setText(unchanged);
        m_edit.setCursorPosition(static_cast<int>(kept));
        return;
    }
    // Like the platform's own text boxes, a paste longer than the room left is cut to fit.
    const QString allowed = TextStart(*filtered, m_maxTyped - kept - keptAtEnd);
    if (allowed == inserted)
        return;
    m_edit.setText(text.left(kept) + allowed + text.right(keptAtEnd));
    m_edit.setCursorPosition(static_cast<int>(kept + allowed.size()));
}
