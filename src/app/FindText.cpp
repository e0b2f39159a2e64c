#include "FindText.h"

#include <QChar>

#include <array>

namespace {

// Each byte's case-folded byte; a byte whose fold lies outside the file's characters
// (the micro sign folds to a Greek letter) stays as it is.
const std::array<char, 256> &foldTable()
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> folds{};
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t fold = QChar(static_cast<char16_t>(byte)).toCaseFolded().unicode();
            folds[static_cast<std::size_t>(byte)] = static_cast<char>(fold < 256 ? fold : byte);
        }
        return folds;
    }();
    return table;
}

// Between two cells, so a needle never matches across them.
constexpr char CellBreak = '\n';

} // namespace

void FindText::clear()
{
    m_bytes.clear();
    m_start.clear();
    m_length.clear();
}

void FindText::startOver(std::size_t entries)
{
    clear();
    m_start.reserve(entries);
    m_length.reserve(entries);
}

void FindText::store(const std::vector<std::string> &cells)
{
    const auto &folds = foldTable();
    const std::size_t start = m_bytes.size();
    for (const std::string &cell : cells) {
        for (const char byte : cell)
            m_bytes.push_back(folds[static_cast<unsigned char>(byte)]);
        m_bytes.push_back(CellBreak);
    }
    m_start.push_back(static_cast<std::uint32_t>(start));
    m_length.push_back(static_cast<std::uint32_t>(m_bytes.size() - start));
}

void FindText::append(const std::vector<std::string> &cells)
{
    store(cells);
}

void FindText::replace(std::size_t entry, const std::vector<std::string> &cells)
{
    store(cells);
    m_start[entry] = m_start.back();
    m_length[entry] = m_length.back();
    m_start.pop_back();
    m_length.pop_back();
}

bool FindText::contains(std::size_t entry, std::string_view foldedNeedle) const
{
    const std::string_view text(m_bytes.data() + m_start[entry], m_length[entry]);
    return text.find(foldedNeedle) != std::string_view::npos;
}

std::optional<std::string> FindText::folded(const QString &typed)
{
    const auto &folds = foldTable();
    std::string needle;
    needle.reserve(static_cast<std::size_t>(typed.size()));
    for (const QChar character : typed) {
        if (character.unicode() > 0xFF || character == QLatin1Char(CellBreak))
            return std::nullopt;
        needle.push_back(folds[character.unicode()]);
    }
    return needle;
}
