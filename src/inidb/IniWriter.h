#pragma once

#include "IniDocument.h"
#include "FileSystem.h"
#include "IniReader.h"
#include "IoStatus.h"
#include "SafeFile.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

class FileSystem;

// Appends one block in the fixed key order, CR LF line ends, and the empty line after it.
void WriteIniEntry(std::string &out, const RomEntry &entry);

// The whole file: the preamble, then the entries at the given table indexes, in that order.
std::string SerializeIni(const IniDocument &doc, std::span<const std::size_t> order);
// The same text handed to write in pieces of a few hundred kilobytes.
IoStatus WriteIniText(const IniDocument &doc, std::span<const std::size_t> order, const PieceWriter &write);

// Indexes of the entries not removed, in table order.
std::vector<std::size_t> ReadInOrder(const IniDocument &doc);

// Records a path as the remembered ini file and sets doc.IniPath from what the settings
// then hold. The settings side of the application implements it.
class IniPathResolver {
public:
    virtual ~IniPathResolver() = default;
    virtual bool ResolveIniPath(const std::string &path) = 0;
};

// The writing half of a save: the entries in the order doc.SaveType selects, written
// safely to path. Records no path and reloads nothing; on failure path is unchanged.
// Gives what path holds afterwards, from the bytes as they were written.
IoValue<DiskSnapshot> WriteIniFile(const IniDocument &doc, const std::string &path, std::span<const std::size_t> displayedOrder,
                      FileSystem &fs);

struct SaveResult {
    IoStatus status;      // the write itself; on failure nothing on disk or in memory changed
    DiskSnapshot written; // what the write left on disk
    LoadResult reload;    // the reload of the written file
};

// Writes doc to path in the order doc.SaveType selects (displayedOrder holds the table
// index of every row the list shows, top to bottom), safely; then records the path and
// reloads the file, which keeps the document's text encoding. A SaveType other than 0
// and 1 saves in read-in order.
SaveResult SaveIniFile(IniDocument &doc, const std::string &path,
                       std::span<const std::size_t> displayedOrder,
                       IniPathResolver &resolver, FileSystem &fs);
SaveResult SaveIniFile(IniDocument &doc, const std::string &path,
                       std::span<const std::size_t> displayedOrder,
                       IniPathResolver &resolver);
