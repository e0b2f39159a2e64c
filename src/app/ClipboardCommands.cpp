#include "ClipboardCommands.h"

#include "LoadProblemsText.h"
#include "editing/DocumentSession.h"
#include "editing/RefusedCharacter.h"
#include "inidb/IniBlocks.h"
#include "ui/FileText.h"
#include "ui/UserInterface.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace {

const QString PasteTitle = QStringLiteral("Paste");

QString roms(std::size_t count)
{
    return count == 1 ? QStringLiteral("1 ROM") : QStringLiteral("%1 ROMs").arg(count);
}

QString stepName(const IniDocument &doc, const PastedBlocks &pasted, std::size_t count)
{
    if (count != 1)
        return QStringLiteral("Paste %1").arg(roms(count));
    const RomEntry &only = pasted.replacing.empty() ? pasted.added.front() : pasted.replacing.front().entry;
    return QStringLiteral("Paste \"%1\"").arg(fromFileText(doc.Encoding, only.Name));
}

// Yes replaces and adds, No only adds; nullopt is Cancel.
std::optional<bool> askToReplace(QWidget *parent, UserInterface &ui, const PastedBlocks &pasted)
{
    QString question = QStringLiteral("Replace the settings of %1").arg(roms(pasted.replacing.size()));
    if (!pasted.added.empty())
        question += QStringLiteral(", add %1").arg(pasted.added.size());
    question += QLatin1Char('?');
    const auto removed = std::count_if(pasted.replacing.begin(), pasted.replacing.end(),
                                       [](const PlacedEntry &placed) { return placed.entry.Removed; });
    if (removed > 0)
        question += QStringLiteral("\n%1 of them had been removed and come back.").arg(removed);
    switch (ui.askYesNoCancel(parent, PasteTitle, question, UserInterface::Icon::Question)) {
    case UserInterface::Answer::Yes:
        return true;
    case UserInterface::Answer::No:
        return false;
    case UserInterface::Answer::Cancel:
        break;
    }
    return std::nullopt;
}

} // namespace

void CopyEntries(const IniDocument &doc, std::span<const std::size_t> entries)
{
    QGuiApplication::clipboard()->setText(fromFileText(doc.Encoding, IniBlocksText(doc, entries)));
}

std::vector<std::size_t> PasteEntries(QWidget *parent, DocumentSession &session, UserInterface &ui)
{
    const IniDocument &doc = session.document();
    const QString text = QGuiApplication::clipboard()->text();
    const EncodedText bytes = toFileText(doc.Encoding, text);
    if (bytes.refused) {
        ui.showError(parent, QStringLiteral("Error"),
                     *RefusedCharacterText(QStringLiteral("Clipboard"), text, doc.Encoding)
                         + QStringLiteral("\nNothing was pasted."));
        return {};
    }
    PastedBlocks pasted = ReadPastedBlocks(doc, bytes.bytes);
    if (pasted.replacing.empty() && pasted.added.empty()) {
        ui.showNotice(parent, PasteTitle,
                      pasted.parsed.entries.size() == pasted.withoutCrc
                          ? QStringLiteral("The clipboard holds no ROM settings: blocks of lines that each begin "
                                           "with a CRC line such as {1A2B3C4D-45}.")
                          : QStringLiteral("The ROMs on the clipboard are in the list already, as they are."));
        return {};
    }
    if (!pasted.replacing.empty()) {
        const auto replace = askToReplace(parent, ui, pasted);
        if (!replace)
            return {};
        if (!*replace)
            pasted.replacing.clear();
    }
    std::vector<PlacedEntry> added;
    added.reserve(pasted.added.size());
    for (const RomEntry &entry : pasted.added)
        added.push_back({doc.EntryTable.size() + added.size(), entry});
    const std::size_t count = pasted.replacing.size() + added.size();
    std::vector<std::size_t> places = PlacesOf(pasted.replacing);
    for (const PlacedEntry &placed : added)
        places.push_back(placed.index);
    if (count > 0)
        session.pasteEntries(pasted.replacing, added, stepName(doc, pasted, count));
    if (!pasted.parsed.problems.empty())
        ui.showError(parent, QStringLiteral("Error"),
                     LoadProblemsText("the clipboard", doc.Encoding, pasted.parsed.problems));
    if (pasted.withoutCrc > 0)
        ui.showNotice(parent, PasteTitle,
                      QStringLiteral("%1 on the clipboard had no CRC line such as {1A2B3C4D-45} and were left out.")
                          .arg(pasted.withoutCrc == 1 ? QStringLiteral("1 block") : QStringLiteral("%1 blocks").arg(pasted.withoutCrc)));
    return places;
}
