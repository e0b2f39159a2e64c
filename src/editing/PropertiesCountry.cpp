#include "PropertiesCountry.h"

#include <array>

namespace {

struct CountryText {
    const char *code;
    const char *text;
};

constexpr std::array<CountryText, 13> CountryTexts{{
    {"00", "  None"},
    {"37", "7 (Beta)"},
    {"4A", "J (Japan)"},
    {"41", "A (NTSC)"},
    {"44", "D (Germany)"},
    {"45", "E (USA)"},
    {"46", "F (France)"},
    {"49", "I (Italy)"},
    {"50", "P (Europe)"},
    {"53", "S (Spa)"},
    {"55", "U (Australia)"},
    {"58", "X (PAL)"},
    {"59", "Y (PAL)"},
}};

const CountryText *findCountry(std::string_view code)
{
    for (const CountryText &row : CountryTexts) {
        if (code == row.code)
            return &row;
    }
    return nullptr;
}

} // namespace

const char *PropertiesCountryText(std::string_view code)
{
    const CountryText *row = findCountry(code);
    return row ? row->text : "Unknown";
}

bool IsKnownCountryCode(std::string_view code)
{
    return findCountry(code) != nullptr;
}
