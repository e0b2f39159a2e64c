#include "RefusedCharacter.h"

#include "ui/FileText.h"

namespace {

QString characterName(char32_t character)
{
    const QString code = QStringLiteral("U+%1").arg(static_cast<uint>(character), 4, 16, QLatin1Char('0')).toUpper();
    if (character >= 0xD800 && character <= 0xDFFF)
        return code;
    return QStringLiteral("\"%1\" (%2)").arg(QString::fromUcs4(&character, 1), code);
}

} // namespace

std::optional<QString> RefusedCharacterText(const QString &what, const QString &text, TextEncoding encoding)
{
    const std::optional<char32_t> refused = toFileText(encoding, text).refused;
    if (!refused)
        return std::nullopt;
    return QStringLiteral("%1: the character %2 cannot be stored in this file, whose text is %3.")
        .arg(what, characterName(*refused), QLatin1String(TextEncodingName(encoding)));
}
