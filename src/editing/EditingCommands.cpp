#include "EditingCommands.h"

#include "RomProperties.h"
#include "frmProperties.h"
#include "inidb/IniDocument.h"
#include "ui/UserInterface.h"

bool ShowRomProperties(QWidget *parent, IniDocument &doc, std::size_t entryIndex, UserInterface &ui,
                       const std::function<void(QWidget &dialog)> &print)
{
    if (entryIndex >= doc.EntryTable.size())
        return false;
    RomEntry &entry = doc.EntryTable[entryIndex];
    frmProperties dialog(entry, print, parent, doc.Encoding, &ui, &doc.Texts);
    FillRomProperties(dialog, entry);
    return dialog.exec() == QDialog::Accepted;
}

bool RemoveRomEntry(QWidget *parent, IniDocument &doc, std::size_t entryIndex, UserInterface &ui)
{
    // With no row for the entry there is nothing to ask about.
    if (entryIndex >= doc.EntryTable.size() || doc.EntryTable[entryIndex].Removed)
        return false;
    if (!ui.askYesNo(parent, QStringLiteral("Confirm Delete"),
                     QStringLiteral("Are you sure you wish to delete this ROM entry?"), UserInterface::Icon::None))
        return false;
    RomEntry &entry = doc.EntryTable[entryIndex];
    entry.Removed = true;
    doc.UndoList.push_back({std::string(entry.Name), std::string(entry.CRC), entryIndex, doc.LoadGeneration});
    return true;
}
