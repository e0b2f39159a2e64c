#include "EditingCommands.h"

#include "ManyRomProperties.h"
#include "RomProperties.h"
#include "frmProperties.h"
#include "inidb/IniDocument.h"
#include "ui/FileText.h"
#include "ui/UserInterface.h"

#include <algorithm>

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

std::optional<EditedEntries> ShowManyRomProperties(QWidget *parent, const IniDocument &doc,
                                                   const std::vector<std::size_t> &entryIndexes, UserInterface &ui)
{
    if (entryIndexes.empty()
        || std::any_of(entryIndexes.begin(), entryIndexes.end(),
                       [&doc](std::size_t entry) { return entry >= doc.EntryTable.size(); }))
        return std::nullopt;
    // OK refuses a text the file cannot hold as it does for one ROM, checking against the
    // first of them and writing into this copy; what the user changed is read from the
    // controls afterwards.
    RomEntry first = doc.EntryTable[entryIndexes.front()];
    frmProperties dialog(first, {}, parent, doc.Encoding, &ui);
    const ManyRomProperties shown(dialog, doc, entryIndexes);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::optional<EditedEntries> edited(std::in_place, EditedEntries{shown.changes(), {}});
    edited->values.reserve(entryIndexes.size());
    for (const std::size_t entry : entryIndexes)
        edited->values.push_back({entry, edited->changes.appliedTo(doc.EntryTable[entry])});
    return edited;
}

bool ConfirmRemoval(QWidget *parent, const IniDocument &doc, const std::vector<std::size_t> &entryIndexes,
                    UserInterface &ui)
{
    // With no row for an entry there is nothing to ask about.
    const std::vector<std::size_t> shown = FlaggedRemoved(doc, entryIndexes, false);
    if (shown.empty())
        return false;
    const QString question =
        shown.size() == 1
            ? QStringLiteral("Are you sure you wish to delete the ROM entry \"%1\"?")
                  .arg(fromFileText(doc.Encoding, doc.EntryTable[shown.front()].Name))
            : QStringLiteral("Remove %1 ROM entries?").arg(shown.size());
    return ui.askYesNo(parent, QStringLiteral("Confirm Delete"), question, UserInterface::Icon::None);
}
