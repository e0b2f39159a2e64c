#include "NewEntryCommands.h"

#include "DocumentSession.h"
#include "EditingCommands.h"
#include "NewRomDialog.h"
#include "PropertiesCountry.h"
#include "RefusedCharacter.h"
#include "inidb/CrcRules.h"
#include "inidb/ListText.h"
#include "ui/FileText.h"
#include "ui/UserInterface.h"

#include <string>

namespace {

// A new ROM's CRC and name, in the file's encoding.
struct Identity {
    std::string crc;
    std::string name;
};

QString crcRefusalText(const CrcCheck &check, const IniDocument &doc, const QString &crc)
{
    const auto owner = [&] { return fromFileText(doc.Encoding, doc.EntryTable[check.entryIndex].Name); };
    switch (check.refusal) {
    case CrcRefusal::None:
        break;
    case CrcRefusal::Empty:
        return QStringLiteral("Enter the ROM's CRC identifier: the file tells its ROMs apart by it.");
    case CrcRefusal::LineBreak:
        return QStringLiteral("The CRC \"%1\" holds a line break; a CRC is one line.").arg(crc);
    case CrcRefusal::Reserved:
        return QStringLiteral("The CRC \"%1\" holds \"%2\". A CRC holds none of { } [ ] =, which would make its line "
                              "in the file read as something else.")
            .arg(crc, QChar::fromLatin1(check.character));
    case CrcRefusal::Taken:
        return QStringLiteral("The ROM \"%1\" has the CRC \"%2\" already; each ROM needs a CRC of its own.")
            .arg(owner(), crc);
    case CrcRefusal::TakenByRemoved:
        return QStringLiteral("The removed ROM \"%1\" has the CRC \"%2\", and Undo can bring it back; each ROM needs "
                              "a CRC of its own. Choose another CRC, or restore that ROM from Edit > Removed ROMs.")
            .arg(owner(), crc);
    }
    return {};
}

// Tells the user why crc and name cannot be taken, or asks about an unknown country;
// fills identity when they can.
bool acceptable(QWidget *dialog, const IniDocument &doc, UserInterface &ui, const QString &crc, const QString &name,
                Identity &identity)
{
    for (const auto &[what, text] : {std::pair{QStringLiteral("CRC"), crc}, std::pair{QStringLiteral("Name"), name}}) {
        if (const auto refused = RefusedCharacterText(what, text, doc.Encoding)) {
            ui.showError(dialog, QStringLiteral("Error"), *refused + QStringLiteral("\nChange the text and press OK again."));
            return false;
        }
    }
    identity = {toFileText(doc.Encoding, crc).bytes, toFileText(doc.Encoding, name).bytes};
    const CrcCheck check = CheckNewCrc(doc, identity.crc);
    if (check.refusal != CrcRefusal::None) {
        ui.showError(dialog, QStringLiteral("Error"), crcRefusalText(check, doc, crc));
        return false;
    }
    const std::string code = CountryCode(identity.crc);
    if (IsKnownCountryCode(code))
        return true;
    return ui.askYesNo(dialog, QStringLiteral("Unknown Country"),
                       QStringLiteral("The CRC \"%1\" ends in \"%2\", which is no country code the editor knows.\n"
                                      "Use it anyway?")
                           .arg(crc, QString::fromLatin1(code)),
                       UserInterface::Icon::Exclamation);
}

std::optional<Identity> askIdentity(QWidget *parent, const QString &caption, const IniDocument &doc,
                                    UserInterface &ui, const QString &crc, const QString &name)
{
    Identity identity;
    NewRomDialog dialog(caption, crc, name, [&](const QString &typedCrc, const QString &typedName) {
        return acceptable(&dialog, doc, ui, typedCrc, typedName, identity);
    }, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return identity;
}

// Adds the entry at the end of the table as one step named verb and its name.
std::size_t append(DocumentSession &session, const RomEntry &entry, const QString &verb)
{
    const IniDocument &doc = session.document();
    const std::size_t place = doc.EntryTable.size();
    session.insertEntries({{place, entry}}, QStringLiteral("%1 \"%2\"").arg(verb, fromFileText(doc.Encoding, entry.Name)));
    return place;
}

} // namespace

std::optional<std::size_t> AddRomEntry(QWidget *parent, DocumentSession &session, UserInterface &ui,
                                       const std::function<void(QWidget &dialog)> &print)
{
    const IniDocument &doc = session.document();
    const auto identity = askIdentity(parent, QStringLiteral("Add ROM Entry"), doc, ui, {}, {});
    if (!identity)
        return std::nullopt;
    TextStore texts;
    RomEntry entry;
    entry.CRC = texts.keep(identity->crc);
    entry.Name = texts.keep(identity->name);
    // What the properties dialog calls the default UCode.
    entry.UCode = 5;
    const auto edited = ShowEntryProperties(parent, entry, doc.Encoding, ui, print);
    if (!edited)
        return std::nullopt;
    return append(session, edited->values, QStringLiteral("Add"));
}

std::optional<std::size_t> DuplicateRomEntry(QWidget *parent, DocumentSession &session, std::size_t source,
                                             UserInterface &ui)
{
    const IniDocument &doc = session.document();
    if (source >= doc.EntryTable.size())
        return std::nullopt;
    const RomEntry &original = doc.EntryTable[source];
    const auto identity = askIdentity(parent, QStringLiteral("Duplicate ROM Entry"), doc, ui,
                                      fromFileText(doc.Encoding, original.CRC),
                                      fromFileText(doc.Encoding, original.Name));
    if (!identity)
        return std::nullopt;
    TextStore texts;
    RomEntry copy = original;
    copy.CRC = texts.keep(identity->crc);
    copy.Name = texts.keep(identity->name);
    copy.Removed = false;
    return append(session, copy, QStringLiteral("Duplicate"));
}
