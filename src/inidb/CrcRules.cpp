#include "CrcRules.h"

CrcCheck CheckNewCrc(const IniDocument &doc, std::string_view crc)
{
    if (crc.empty())
        return {CrcRefusal::Empty};
    if (crc.find_first_of("\r\n") != std::string_view::npos)
        return {CrcRefusal::LineBreak};
    if (const std::size_t at = crc.find_first_of("{}[]="); at != std::string_view::npos)
        return {CrcRefusal::Reserved, crc[at]};
    for (std::size_t index = 0; index < doc.EntryTable.size(); ++index) {
        const RomEntry &entry = doc.EntryTable[index];
        if (entry.CRC == crc)
            return {entry.Removed ? CrcRefusal::TakenByRemoved : CrcRefusal::Taken, 0, index};
    }
    return {};
}
