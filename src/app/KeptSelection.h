#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct IniDocument;

// The selected entries and the current one, kept while the list is rebuilt so that it
// selects them again. In the same table they are found at their places; when the table
// is about to be read anew (a load, a save that reads its file back), each is kept with
// its name and CRC and found again by them.
class KeptSelection final {
public:
    void keep(std::vector<std::size_t> entries, std::optional<std::size_t> current);
    // Takes the name and CRC of every kept entry, while doc still holds them; until
    // forgetNames, keep() changes nothing (the list then shows the old table's rows).
    void keepNames(const IniDocument &doc);
    void forgetNames();

    struct Found {
        std::vector<std::size_t> entries;
        std::optional<std::size_t> current;
    };
    // Where the kept entries are in doc now; those it no longer holds are left out.
    Found find(const IniDocument &doc) const;

private:
    struct Named {
        std::size_t entryIndex = 0;
        std::string name;
        std::string crc;
        bool current = false;
    };

    std::vector<std::size_t> m_entries;
    std::optional<std::size_t> m_current;
    // Set by keepNames.
    std::optional<std::vector<Named>> m_named;
};
