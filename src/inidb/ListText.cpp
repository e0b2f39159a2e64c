#include "ListText.h"

#include "AsciiCase.h"

#include <array>

namespace {

struct CountryRow {
    const char *code;
    CountryInfo info;
};

constexpr std::array<CountryRow, 13> kCountries{{
    {"00", {"  (None)", "Proto"}},
    {"37", {"7 (Beta)", "Beta"}},
    {"4A", {"J (Japan)", "Jap"}},
    {"41", {"A (NTSC)", "NTSC"}},
    {"44", {"D (Germany)", "Ger"}},
    {"45", {"E (USA)", "USA"}},
    {"46", {"F (France)", "Fra"}},
    {"49", {"I (Italy)", "Ita"}},
    {"50", {"P (Europe)", "Pal"}},
    {"53", {"S (Spain)", "Spa"}},
    {"55", {"U (Australia)", "Aus"}},
    {"58", {"X (PAL)", "Pal"}},
    {"59", {"Y (PAL)", "Pal"}},
}};

constexpr CountryInfo kUnknownCountry{"???", "???"};

} // namespace

std::string CountryCode(std::string_view crc)
{
    return UpperCasedAscii(crc.size() > 2 ? crc.substr(crc.size() - 2) : crc);
}

CountryInfo CountryTable(std::string_view code)
{
    for (const CountryRow &row : kCountries) {
        if (code == row.code)
            return row.info;
    }
    return kUnknownCountry;
}

std::string UCodeName(std::int16_t ucode)
{
    switch (ucode) {
    case 0: return "Super Mario 64";
    case 1: return "Mario Kart 64";
    case 3: return "Mortal Kombat 4";
    case 4: return "Wave Race 64";
    case 5: return "Default UCode";
    case 6: return "Diddy Kong Racing";
    case 7: return "???";
    default: return {};
    }
}

std::string UCodeCellText(std::int16_t ucode)
{
    return std::to_string(ucode) + " (" + UCodeName(ucode) + ")";
}

std::string ExtraSettingsSummary(const RomEntry &entry)
{
    std::string text;
    // Every part but the first is led by a comma; the leading one is dropped at the end.
    const auto add = [&text](bool present, std::string_view part) {
        if (present) {
            text += ',';
            text += part;
        }
    };
    add(entry.DisableDynarec, "DisableDynaRec");
    add(entry.DisableEeprom, "DisableEeprom");
    add(entry.DisablePatches, "DisablePatches");
    add(entry.DisableSpeedSync, "DisableSpeedSync");
    add(entry.DisableTextureCRC, "DisableTextureCRC");
    add(entry.ExpansionPak, "ExpansionPak");
    add(entry.IncTexRectEdge, "IncTexRectEdge");
    add(entry.EepromSize != 2048, ("Eeprom=" + std::to_string(entry.EepromSize)));
    add(entry.OSRescanCount > 0, ("OSRescanCount=" + std::to_string(entry.OSRescanCount)));
    add(entry.ScaleFactor != 1, ("ScaleFactor=" + std::to_string(entry.ScaleFactor)));
    if (text.empty())
        return "Default";
    return text.substr(1);
}

std::string ListCellText(std::string_view text)
{
    return text.empty() ? std::string(" ") : std::string(text);
}
