#pragma once

#include "inidb/IniDocument.h"
#include "inidb/IniReader.h"

#include <optional>
#include <string>

class DocumentSession;
class FileSystem;
class QWidget;
class UserInterface;
struct MergeResult;

// A file read for a merge, and how the read went (what it held then, or why it failed).
struct ReadIniFile {
    IniDocument doc;
    LoadResult loaded;
};
// Touches nothing of the window's, so two files can be read side by side.
ReadIniFile ReadForMerge(const std::string &path, FileSystem &fs);

// Brings another velmoran.ini's changes into the open document: the differences are shown
// in the merge dialog, and what the user takes becomes one step of the history.
class MergeIntoOpenFile final {
public:
    MergeIntoOpenFile(QWidget &window, UserInterface &ui, IniDocument &doc, DocumentSession &session, FileSystem &fs);

    // File > Merge Another ini File...: asks for the other file and, if the user has it,
    // the file both started from.
    void mergeAnotherFile();
    // The open file at path was changed by another program since it held base: its
    // changes merge into the table. Gives the file as read when the user applied the
    // merge, or when nothing was to be merged; nullopt when cancelled or unreadable.
    std::optional<ReadIniFile> mergeChangedFile(const std::string &path, const IniDocument &base);

private:
    // Tells what went wrong in reading file as a load would; false when it was not read.
    bool told(const ReadIniFile &file);
    // Merges theirs into the open document, over base when there is one, under the busy cursor.
    MergeResult mergedWith(const IniDocument *base, const IniDocument &theirs);
    // Shows the differences and applies what the user chose; false when cancelled.
    bool chooseAndApply(const MergeResult &result, const std::string &theirsPath, bool withBase);

    QWidget &m_window;
    UserInterface &m_ui;
    IniDocument &m_doc;
    DocumentSession &m_session;
    FileSystem &m_fs;
};
