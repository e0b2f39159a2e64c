#include "DiskChangeGuard.h"

#include "MergeIntoOpenFile.h"
#include "inidb/SameFile.h"
#include "ui/FileText.h"
#include "ui/UserInterface.h"

#include <QScopedValueRollback>
#include <QStringList>
#include <QUndoStack>

#include <utility>

namespace {

const QString ChangedTitle = QStringLiteral("File Changed");
const QString Overwrite = QStringLiteral("Overwrite");
const QString Merge = QStringLiteral("Merge");
const QString Later = QStringLiteral("Later");
const QString Save = QStringLiteral("Save");
const QString Cancel = QStringLiteral("Cancel");
const QString Ok = QStringLiteral("OK");

} // namespace

DiskChangeGuard::DiskChangeGuard(QWidget &window, UserInterface &ui, FileSystem &fs, MergeIntoOpenFile &merge,
                                 QUndoStack &history)
    : m_window(window), m_ui(ui), m_fs(fs), m_merge(merge), m_history(history)
{
    m_historyMoved = QObject::connect(&m_history, &QUndoStack::indexChanged, [this](int index) {
        restoreBeforeUndoneMerges(index);
    });
}

// The history may outlive the guard and announce its clearing then.
DiskChangeGuard::~DiskChangeGuard()
{
    QObject::disconnect(m_historyMoved);
}

void DiskChangeGuard::remember(const std::string &path, const DiskSnapshot &snapshot, const IniDocument &onDisk)
{
    // What the file holds now was read or written by us: no older state comes back.
    m_beforeMerges.clear();
    rememberOnDisk(path, snapshot, onDisk);
}

void DiskChangeGuard::rememberOnDisk(const std::string &path, const DiskSnapshot &snapshot,
                                     const IniDocument &onDisk)
{
    m_path = path;
    m_snapshot = snapshot;
    m_told.reset();
    // A copy of the store shares its texts, so only the table itself is copied.
    m_onDisk.EntryTable = onDisk.EntryTable;
    m_onDisk.Texts = onDisk.Texts;
    m_onDisk.Preamble = onDisk.Preamble;
    m_onDisk.Encoding = onDisk.Encoding;
}

bool DiskChangeGuard::mergeChanges()
{
    const int indexBefore = m_history.index();
    std::optional<ReadIniFile> merged = m_merge.mergeChangedFile(m_path, m_onDisk);
    if (!merged)
        return false;
    if (m_history.index() > indexBefore)
        m_beforeMerges.push_back({m_history.index(), *m_snapshot, std::move(m_onDisk)});
    rememberOnDisk(m_path, merged->loaded.snapshot, merged->doc);
    return true;
}

void DiskChangeGuard::restoreBeforeUndoneMerges(int historyIndex)
{
    for (; !m_beforeMerges.empty() && historyIndex < m_beforeMerges.back().indexAfterStep;
         m_beforeMerges.pop_back()) {
        m_snapshot = m_beforeMerges.back().snapshot;
        m_onDisk = std::move(m_beforeMerges.back().onDisk);
    }
}

bool DiskChangeGuard::isRemembered(const std::string &path) const
{
    if (!m_snapshot)
        return false;
    // Save As may name the open file by another spelling or through a link.
    return path == m_path || IsSameFile(path, m_path);
}

DiskChange DiskChangeGuard::change()
{
    return CompareWithDisk(*m_snapshot, m_path, m_fs);
}

DiskChangeGuard::Seen DiskChangeGuard::seenNow() const
{
    const IoValue<FileInfo> info = m_fs.Stat(m_path);
    return {info.value.exists, info.value.size, info.value.modifiedNs};
}

bool DiskChangeGuard::allowsWriting(const std::string &path)
{
    if (!isRemembered(path))
        return true;
    const QScopedValueRollback asking(m_asking, true);
    const DiskChange now = change();
    if (now == DiskChange::Unchanged)
        return true;
    // Asked here, the change is not told again when the window is next active.
    m_told = seenNow();
    const QString file = fromPath(m_path);
    if (now == DiskChange::Deleted)
        return m_ui.askChoice(&m_window, ChangedTitle,
                              QStringLiteral("%1 was deleted or moved by another program since you opened it. "
                                             "Save it there again?")
                                  .arg(file),
                              UserInterface::Icon::Exclamation, {Save, Cancel})
            == Save;
    const QString answer =
        m_ui.askChoice(&m_window, ChangedTitle,
                       QStringLiteral("%1 was changed by another program since you opened it.").arg(file),
                       UserInterface::Icon::Exclamation, {Merge, Overwrite, Cancel});
    return answer == Overwrite || (answer == Merge && mergeChanges());
}

bool DiskChangeGuard::wantsReload(bool unsavedChanges)
{
    if (!m_snapshot || m_asking)
        return false;
    const DiskChange now = change();
    if (now == DiskChange::Unchanged)
        return false;
    const Seen seen = seenNow();
    if (std::exchange(m_told, seen) == seen)
        return false;
    const QString file = fromPath(m_path);
    const QScopedValueRollback asking(m_asking, true);
    if (now == DiskChange::Deleted) {
        m_ui.askChoice(&m_window, ChangedTitle,
                       QStringLiteral("%1 was deleted or moved by another program. Save writes it again.").arg(file),
                       UserInterface::Icon::Exclamation, {Ok});
        return false;
    }
    if (unsavedChanges) {
        if (m_ui.askChoice(&m_window, ChangedTitle,
                           QStringLiteral("%1 was changed by another program. Your changes are not saved yet: "
                                          "merge its changes into yours now, or later, before it is written over.")
                               .arg(file),
                           UserInterface::Icon::Exclamation, {Merge, Later})
            == Merge)
            mergeChanges();
        return false;
    }
    return m_ui.askYesNo(&m_window, ChangedTitle,
                         QStringLiteral("%1 was changed by another program. Reload it?").arg(file),
                         UserInterface::Icon::Question);
}
