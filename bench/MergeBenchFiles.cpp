#include "MergeBenchFiles.h"

#include "BenchFiles.h"
#include "IniGenerator.h"

#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <random>

namespace {

// One side's file as it is built, its new texts kept beside the base's.
struct SideBuilder {
    IniDocument doc;

    void keep(const RomEntry &entry) { doc.EntryTable.push_back(entry); }
    void keepWith(RomEntry entry, StoredText RomEntry::*field, const std::string &text)
    {
        entry.*field = doc.Texts.keep(text);
        doc.EntryTable.push_back(entry);
    }
    void write(const std::string &path, const std::string &preamble)
    {
        doc.Preamble = preamble;
        writeAndFlush(path, SerializeIni(doc, ReadInOrder(doc)));
    }
};

} // namespace

MergeBenchFiles writeMergeBenchFiles(const std::string &folder, std::size_t blocks)
{
    const MergeBenchFiles files{folder + "/base.ini", folder + "/mine.ini", folder + "/theirs.ini"};
    const std::string baseBytes = GenerateIni(blocks, 20240601u + static_cast<unsigned>(blocks));
    writeAndFlush(files.base, baseBytes);
    const ParsedIni base = ParseIni(baseBytes);
    SideBuilder mine;
    SideBuilder theirs;
    for (SideBuilder *side : {&mine, &theirs}) {
        side->doc.Texts = base.texts;
        side->doc.EntryTable.reserve(base.entries.size() + base.entries.size() / 50);
    }
    std::mt19937 random(7);
    for (std::size_t index = 0; index < base.entries.size(); ++index) {
        const RomEntry &entry = base.entries[index];
        const std::string mark = std::to_string(index);
        // 0-7 mine alone, 8-15 theirs alone, 16 both in one field, 17 both in different ones.
        const unsigned role = random() % 100;
        SideBuilder &changer = role < 8 ? mine : theirs;
        SideBuilder &other = role < 8 ? theirs : mine;
        if (role < 16) {
            other.keep(entry);
            if (role % 8 == 1) {
                changer.keep(entry);
                changer.keepWith(entry, &RomEntry::CRC, "ADDED-" + mark + "-45");
            } else if (role % 8 != 0) {
                changer.keepWith(entry, &RomEntry::Info, "Changed " + mark);
            }
        } else if (role == 16) {
            mine.keepWith(entry, &RomEntry::Info, "Mine " + mark);
            theirs.keepWith(entry, &RomEntry::Info, "Theirs " + mark);
        } else if (role == 17) {
            mine.keepWith(entry, &RomEntry::Info, "Mine " + mark);
            theirs.keepWith(entry, &RomEntry::Comment, "Theirs " + mark);
        } else {
            mine.keep(entry);
            theirs.keep(entry);
        }
    }
    mine.write(files.mine, base.preamble);
    theirs.write(files.theirs, base.preamble);
    return files;
}
