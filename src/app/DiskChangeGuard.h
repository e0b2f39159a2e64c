#pragma once

#include "inidb/DiskSnapshot.h"
#include "inidb/IniDocument.h"

#include <QMetaObject>

#include <optional>
#include <string>
#include <vector>

class FileSystem;
class MergeIntoOpenFile;
class QUndoStack;
class QWidget;
class UserInterface;

// Keeps what the open ini file held when the window last read or wrote it, so that a
// change another program made since is never written over, or left unnoticed, without
// the user choosing so.
class DiskChangeGuard final {
public:
    // merge brings an outside change into the table, when the user chooses it over
    // writing the change over or leaving it; history tells when that step is undone.
    DiskChangeGuard(QWidget &window, UserInterface &ui, FileSystem &fs, MergeIntoOpenFile &merge,
                    QUndoStack &history);
    ~DiskChangeGuard();
    DiskChangeGuard(const DiskChangeGuard &) = delete;
    DiskChangeGuard &operator=(const DiskChangeGuard &) = delete;

    // After a load or a save of path: onDisk is the document as the file now holds it.
    void remember(const std::string &path, const DiskSnapshot &snapshot, const IniDocument &onDisk);
    // Before writing path: true unless another program changed or removed the file since
    // and the user did not choose to write it anyway, or to merge its changes first.
    bool allowsWriting(const std::string &path);
    // The window is active again: tells of an outside change once, and gives true when
    // the user wants the file read again (offered only with no changes to lose; with
    // them, merging its changes is offered).
    bool wantsReload(bool unsavedChanges);

private:
    // What the file looks like now, so the same outside change is not told twice.
    struct Seen {
        bool exists = false;
        std::uint64_t size = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const Seen &) const = default;
    };

    // What was remembered before the step of a merge of an outside change: once that step
    // is undone, the outside change is no longer in the table and a save asks again.
    struct BeforeMerge {
        int indexAfterStep = 0;
        DiskSnapshot snapshot;
        IniDocument onDisk;
    };

    // remember, keeping what came before the merges still in the history.
    void rememberOnDisk(const std::string &path, const DiskSnapshot &snapshot, const IniDocument &onDisk);
    // The history is at historyIndex: the merges undone give back what came before them.
    void restoreBeforeUndoneMerges(int historyIndex);
    bool isRemembered(const std::string &path) const;
    DiskChange change();
    // Merges the file's changes into the table; true when the user applied the merge,
    // which makes the file as read the one remembered.
    bool mergeChanges();
    Seen seenNow() const;

    QWidget &m_window;
    UserInterface &m_ui;
    FileSystem &m_fs;
    std::string m_path;
    MergeIntoOpenFile &m_merge;
    QUndoStack &m_history;
    QMetaObject::Connection m_historyMoved;
    std::vector<BeforeMerge> m_beforeMerges;
    std::optional<DiskSnapshot> m_snapshot;
    // The table, texts and head the file held, as the base of a merge with what it holds now.
    IniDocument m_onDisk;
    std::optional<Seen> m_told;
    // A question of ours is open; the activation it causes must not ask again.
    bool m_asking = false;
};
