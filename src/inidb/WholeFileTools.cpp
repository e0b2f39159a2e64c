#include "WholeFileTools.h"

#include "AsciiCase.h"
#include "SafeFile.h"

#include <cerrno>

void UpperCaseCRCs(IniDocument &doc)
{
    for (RomEntry &entry : doc.EntryTable) {
        const std::string upper = UpperCasedAscii(entry.CRC);
        if (upper != entry.CRC)
            entry.CRC = doc.Texts.keep(upper);
    }
}

IoStatus BackupIniFile(const IniDocument &doc, const std::string &target, FileSystem &fs)
{
    if (doc.IniPath.empty())
        return {ENOENT, "Cannot back up: no ini file is open"};
    return CopyFileOver(fs, doc.IniPath, target);
}
