#include "IniGenerator.h"

#include <array>
#include <cstdio>
#include <random>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 24> kWords{
    "Lava", "Rally", "Sky", "Harbor", "Pocket", "Tanks", "Moonlit", "Orchard", "Crystal", "Drift",
    "Soldier", "Neon", "Alley", "Glacier", "Golf", "Rocket", "Ferret", "Bramble", "Knights", "Dune",
    "Courier", "Thunder", "Canyon", "Marble"};
constexpr std::array<std::string_view, 6> kComments{"Playable",     "Almost Playable", "Not Playable",
                                                    "Doesn't Work", "playable",        "needs testing"};
constexpr std::array<std::string_view, 13> kCountries{"00", "37", "4A", "41", "44", "45", "46",
                                                      "49", "50", "53", "55", "58", "59"};
constexpr std::array<std::string_view, 7> kFlags{"DisableDynarec",   "DisablePatches", "DisableTextureCRC",
                                                 "DisableEeprom",    "DisableSpeedSync", "IncTexRectEdge",
                                                 "ExpansionPak"};
constexpr std::string_view kInfo = "Sound crackles in the menus; use the Expansion Pak for the later levels";

class Generator final {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    void block(std::string &out)
    {
        char crc[40];
        std::snprintf(crc, sizeof crc, "{%08X-%08X-C:%s}\r\n", next(), next(), pick(kCountries).data());
        out += crc;
        out += "Name=";
        const unsigned words = 1 + below(5);
        for (unsigned i = 0; i < words; ++i) {
            out += i ? " " : "";
            out += pick(kWords);
        }
        if (chance(30))
            out += " " + std::to_string(2 + below(3));
        out += "\r\nUCode=" + std::to_string(below(8)) + "\r\n";
        if (chance(70))
            line(out, "Comment=", pick(kComments));
        if (chance(35))
            line(out, "Info=", kInfo.substr(0, 8 + below(static_cast<unsigned>(kInfo.size()) - 8)));
        for (std::string_view flag : kFlags) {
            if (chance(10))
                line(out, flag, "");
        }
        if (chance(10))
            line(out, "EepromSize=", std::to_string(512 << below(6)));
        if (chance(5))
            line(out, "OSRescanCount=", std::to_string(1 + below(4)));
        if (chance(5))
            line(out, "ScaleFactor=", std::to_string(2 + below(3)));
        if (chance(1))
            line(out, "// checked on the second revision", "");
        out += "\r\n";
    }

private:
    static void line(std::string &out, std::string_view key, std::string_view value)
    {
        out += key;
        out += value;
        out += "\r\n";
    }

    unsigned next() { return static_cast<unsigned>(m_random()); }
    unsigned below(unsigned limit) { return next() % limit; }
    bool chance(unsigned percent) { return below(100) < percent; }
    template <typename Array>
    std::string_view pick(const Array &items)
    {
        return items[below(static_cast<unsigned>(items.size()))];
    }

    std::mt19937 m_random;
};

} // namespace

std::string GenerateIni(std::size_t blocks, unsigned seed)
{
    std::string out = "// Velmoran ROM settings, generated for the benchmark\r\n//\r\n\r\n";
    out.reserve(blocks * 128);
    Generator generator(seed);
    for (std::size_t i = 0; i < blocks; ++i)
        generator.block(out);
    return out;
}
