#include "WholeFileTools.h"

#include "SafeFile.h"

#include <cerrno>

IoStatus BackupIniFile(const IniDocument &doc, const std::string &target, FileSystem &fs)
{
    if (doc.IniPath.empty())
        return {ENOENT, "Cannot back up: no ini file is open"};
    return CopyFileOver(fs, doc.IniPath, target);
}
