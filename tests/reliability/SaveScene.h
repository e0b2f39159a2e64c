#pragma once

#include "inidb/FileSystem.h"
#include "inidb/IniDocument.h"

#include <map>
#include <ostream>
#include <string>
#include <string_view>

// Every regular file of a folder, its name mapped to its bytes.
using FileBytes = std::map<std::string, std::string>;
FileBytes FolderBytes(const std::string &folder);

// A folder holding an ini file, an older backup and an older report, and the document
// loaded from that ini file and then edited (a name changed, an entry removed): what
// the user has just before saving, backing up or writing the report.
class SaveScene final {
public:
    explicit SaveScene(std::string folder);

    std::string path(std::string_view name) const { return m_folder + "/" + std::string(name); }
    IniDocument &doc() { return m_doc; }
    const IniDocument &docBefore() const { return m_before; }
    const FileBytes &filesBefore() const { return m_files; }
    // What the command changed in the document; empty when nothing.
    std::string documentChanges() const;

private:
    std::string m_folder;
    IniDocument m_doc;
    IniDocument m_before;
    FileBytes m_files;
};

struct CommandOutcome {
    IoStatus status; // the write
    IoStatus reload; // a save's reload of what it wrote
};

// A command that replaces one file of the scene's folder.
struct SceneCommand {
    const char *name;
    const char *target; // the file's name in the folder
    CommandOutcome (*run)(IniDocument &doc, const std::string &target, FileSystem &fs);
    // The target's bytes after the command succeeded.
    std::string (*written)(const SaveScene &scene);
};

// Save (to the open file), backing the ini file up, writing the compatibility report.
extern const SceneCommand SceneCommands[3];

// Test parameters show the command's name.
void PrintTo(const SceneCommand *command, std::ostream *out);
