#pragma once

#include "DiskSnapshot.h"
#include "FileSystem.h"
#include "IniDocument.h"
#include "IoStatus.h"
#include "SafeFile.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// Appends one block in the fixed key order, CR LF line ends, and the empty line after it.
void WriteIniEntry(std::string &out, const RomEntry &entry);

// The whole file: the preamble, then the entries at the given table indexes, in that order.
std::string SerializeIni(const IniDocument &doc, std::span<const std::size_t> order);
// The same text handed to write in pieces of a few hundred kilobytes.
IoStatus WriteIniText(const IniDocument &doc, std::span<const std::size_t> order, const PieceWriter &write);

// Indexes of the entries not removed, in table order.
std::vector<std::size_t> ReadInOrder(const IniDocument &doc);

// The writing half of a save: the entries in the order doc.SaveType selects, written
// safely to path. Records no path and reloads nothing; on failure path is unchanged.
// Gives what path holds afterwards, from the bytes as they were written.
IoValue<DiskSnapshot> WriteIniFile(const IniDocument &doc, const std::string &path,
                                   std::span<const std::size_t> displayedOrder, FileSystem &fs);
