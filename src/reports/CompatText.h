#pragma once

#include "inidb/IniDocument.h"
#include "inidb/IoStatus.h"
#include "inidb/RomEntry.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

class FileSystem;

// count / total as a whole percentage, halves to the even neighbour, e.g. "12%".
// A total of 0 gives "0%".
std::string PercentText(int count, int total);

// The report's country text for a CRC: "E (USA)", "???", ...
std::string CountryText(std::string_view crc);

// The complete compatibility report for the entries in table order (removed ones
// included) but those at the ascending indexes leftOut, CR LF line ends.
std::string CompatListText(const RomTable &entries, std::span<const std::size_t> leftOut = {});

// Writes the report of doc's table, less the removals a save took out of the file, to
// path, complete or not at all.
IoStatus WriteCompatList(const IniDocument &doc, const std::string &path, FileSystem &fs);
