#include "TempFolder.h"

#include "inidb/DiskSnapshot.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace {

// Larger than a read piece, so the hash runs over several of them.
std::string severalPieces()
{
    std::string bytes = "// head\r\n";
    for (int i = 0; i < 2000; ++i)
        bytes += "{" + std::to_string(10000000 + i) + "-00000000-C:45}\r\nName=Game " + std::to_string(i)
                 + "\r\nUCode=5\r\nComment=Playable\r\n\r\n";
    return bytes;
}

// Sets the file's time a second later, as touch or a copy that keeps the bytes does.
void touchLater(const std::string &path)
{
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(1));
}

// What another program does to the file, and what the comparison must then say; the
// snapshot is the load's and, separately, the save's.
TEST(DiskSnapshot, TellsEditsAndRemovalFromTouches)
{
    const struct {
        const char *what;
        std::function<void(const std::string &)> change;
        DiskChange expected;
    } cases[] = {
        {"nothing", [](const std::string &) {}, DiskChange::Unchanged},
        {"touch", touchLater, DiskChange::Unchanged},
        {"same-size edit",
         [](const std::string &path) {
             std::string bytes = ReadBytes(path);
             bytes[bytes.size() - 5] = 'X';
             WriteBytes(path, bytes);
             touchLater(path);
         },
         DiskChange::Changed},
        {"append", [](const std::string &path) { WriteBytes(path, ReadBytes(path) + "{1}\r\nName=New\r\n\r\n"); },
         DiskChange::Changed},
        {"removal", [](const std::string &path) { std::remove(path.c_str()); }, DiskChange::Deleted},
    };
    for (const bool saved : {false, true}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.what) + (saved ? " after a save" : " after a load"));
            TempFolder folder;
            IniDocument doc;
            doc.IniPath = folder.file("velmoran.ini");
            WriteBytes(doc.IniPath, severalPieces());
            const LoadResult loaded = LoadIniFile(doc);
            DiskSnapshot snapshot = loaded.snapshot;
            if (saved) {
                doc.EntryTable.pop_back();
                snapshot = WriteIniFile(doc, doc.IniPath, {}, DefaultFileSystem()).value;
            }
            c.change(doc.IniPath);
            EXPECT_EQ(CompareWithDisk(snapshot, doc.IniPath, DefaultFileSystem()), c.expected);
            // A touch once seen is not read again.
            if (c.expected == DiskChange::Unchanged)
                EXPECT_EQ(snapshot.modifiedNs, DefaultFileSystem().Stat(doc.IniPath).value.modifiedNs);
        }
    }
}

} // namespace
