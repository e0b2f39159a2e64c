#include "EditingCommands.h"

#include "RomProperties.h"
#include "frmProperties.h"
#include "inidb/IniDocument.h"
#include "ui/FileText.h"
#include "ui/UserInterface.h"

std::optional<EditedEntry> ShowRomProperties(QWidget *parent, const IniDocument &doc, std::size_t entryIndex,
                                             UserInterface &ui, const std::function<void(QWidget &dialog)> &print)
{
    if (entryIndex >= doc.EntryTable.size())
        return std::nullopt;
    return ShowEntryProperties(parent, doc.EntryTable[entryIndex], doc.Encoding, ui, print);
}

std::optional<EditedEntry> ShowEntryProperties(QWidget *parent, const RomEntry &entry, TextEncoding encoding,
                                               UserInterface &ui, const std::function<void(QWidget &dialog)> &print)
{
    std::optional<EditedEntry> edited(std::in_place, EditedEntry{{}, entry});
    frmProperties dialog(edited->values, print, parent, encoding, &ui, &edited->texts);
    FillRomProperties(dialog, edited->values);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edited;
}

bool ConfirmRemoval(QWidget *parent, const IniDocument &doc, std::size_t entryIndex, UserInterface &ui)
{
    // With no row for the entry there is nothing to ask about.
    if (entryIndex >= doc.EntryTable.size() || doc.EntryTable[entryIndex].Removed)
        return false;
    const QString name = fromFileText(doc.Encoding, doc.EntryTable[entryIndex].Name);
    return ui.askYesNo(parent, QStringLiteral("Confirm Delete"),
                       QStringLiteral("Are you sure you wish to delete the ROM entry \"%1\"?").arg(name),
                       UserInterface::Icon::None);
}
