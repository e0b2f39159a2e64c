#include "SaveScene.h"

#include "TempFolder.h"

#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "inidb/WholeFileTools.h"
#include "reports/CompatText.h"

#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

namespace {

constexpr std::string_view kIni =
    "// Velmoran ROM settings\r\n\r\n"
    "{B01F3B8A-45}\r\nName=Kart Racer\r\nUCode=1\r\nComment=Playable\r\nExpansionPak\r\n\r\n"
    "{0E3B1E27-4A}\r\nName=Star Pilot\r\nUCode=5\r\nComment=Almost Playable\r\nScaleFactor=2\r\n\r\n"
    "{12345678-50}\r\nName=Glitchy\r\nUCode=3\r\nDisbleDynarec\r\n\r\n";
constexpr std::string_view kOldBackup = "{OLD-45}\r\nName=Older backup\r\nUCode=0\r\n\r\n";
constexpr std::string_view kOldReport = "Velmoran ROM Compatibility\r\n(an older report)\r\n";

struct NoResolver final : IniPathResolver {
    bool ResolveIniPath(const std::string &) override { return true; }
};

CommandOutcome save(IniDocument &doc, const std::string &target, FileSystem &fs)
{
    NoResolver resolver;
    const SaveResult result = SaveIniFile(doc, target, {}, resolver, fs);
    return {result.status, result.reload.status};
}

CommandOutcome backUp(IniDocument &doc, const std::string &target, FileSystem &fs)
{
    return {BackupIniFile(doc, target, fs), {}};
}

CommandOutcome writeReport(IniDocument &doc, const std::string &target, FileSystem &fs)
{
    return {WriteCompatList(doc, target, fs), {}};
}

} // namespace

const SceneCommand SceneCommands[3] = {
    {"Save", "velmoran.ini", save,
     [](const SaveScene &scene) { return SerializeIni(scene.docBefore(), ReadInOrder(scene.docBefore())); }},
    {"Backup", "velmoran.ini.bak", backUp,
     [](const SaveScene &scene) { return scene.filesBefore().at("velmoran.ini"); }},
    {"Report", "compat.txt", writeReport,
     [](const SaveScene &scene) { return CompatListText(scene.docBefore().EntryTable); }},
};

void PrintTo(const SceneCommand *command, std::ostream *out)
{
    *out << command->name;
}

FileBytes FolderBytes(const std::string &folder)
{
    FileBytes files;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = entry.is_regular_file() ? ReadBytes(entry.path()) : "(no file)";
    return files;
}

SaveScene::SaveScene(std::string folder) : m_folder(std::move(folder))
{
    WriteBytes(path("velmoran.ini"), kIni);
    ::chmod(path("velmoran.ini").c_str(), 0640);
    WriteBytes(path("velmoran.ini.bak"), kOldBackup);
    WriteBytes(path("compat.txt"), kOldReport);
    m_doc.IniPath = path("velmoran.ini");
    if (!LoadIniFile(m_doc).status.ok())
        throw std::runtime_error("cannot load the scene's ini file");
    m_doc.EntryTable[0].Name = "Kart Racer (edited)";
    m_doc.EntryTable[1].Removed = true;
    m_doc.UndoList.push_back({"Star Pilot", "0E3B1E27-4A", 1, m_doc.LoadGeneration});
    m_before = m_doc;
    m_files = FolderBytes(m_folder);
}

std::string SaveScene::documentChanges() const
{
    std::string changes;
    if (m_doc.EntryTable != m_before.EntryTable)
        changes += "EntryTable ";
    if (m_doc.Preamble != m_before.Preamble)
        changes += "Preamble ";
    if (m_doc.IniPath != m_before.IniPath)
        changes += "IniPath ";
    if (m_doc.LoadGeneration != m_before.LoadGeneration)
        changes += "LoadGeneration ";
    if (m_doc.UndoList.size() != m_before.UndoList.size())
        changes += "UndoList ";
    return changes;
}
