#include "AppSettings.h"

#include "Reg.h"

#include <charconv>

namespace {

const char *const GeometryValue = "WindowGeometry";
const char *const WidthsValue = "ColumnWidths";
const char *const OrderValue = "ColumnOrder";
const char *const SortColumnValue = "SortColumn";
const char *const SortOrderValue = "SortOrder";

std::string numberList(const std::vector<int> &numbers)
{
    std::string text;
    for (const int number : numbers)
        text += (text.empty() ? "" : ",") + std::to_string(number);
    return text;
}

// Whole numbers of 0 and up, separated by commas (blanks around them allowed); empty
// for anything else.
std::vector<int> parseNumberList(const std::string &text)
{
    std::vector<int> numbers;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        std::size_t first = text.find_first_not_of(' ', start);
        std::size_t last = text.find_last_not_of(' ', end - 1);
        int value = -1;
        if (first >= end || last == std::string::npos || last < first
            || std::from_chars(text.data() + first, text.data() + last + 1, value).ptr != text.data() + last + 1
            || value < 0)
            return {};
        numbers.push_back(value);
        start = end + 1;
    }
    return numbers;
}

std::optional<int> parseNumber(const std::string &text)
{
    const std::vector<int> numbers = parseNumberList(text);
    return numbers.size() == 1 ? std::optional<int>(numbers.front()) : std::nullopt;
}

} // namespace

void AppSettings::storeOptions(IniDocument &doc, const badRegistry::OptionSettings &options)
{
    badRegistry::SaveOptionSettings(m_store, doc, options.autoOpen == 1 ? "1" : "0", options.saveType == 1 ? "1" : "0");
}

WindowLayoutSettings AppSettings::layout() const
{
    Reg reg(m_store);
    return {badRegistry::ReadSettingText(reg, GeometryValue),
            parseNumberList(badRegistry::ReadSettingText(reg, WidthsValue)),
            parseNumberList(badRegistry::ReadSettingText(reg, OrderValue)),
            parseNumber(badRegistry::ReadSettingText(reg, SortColumnValue)),
            parseNumber(badRegistry::ReadSettingText(reg, SortOrderValue))};
}

void AppSettings::storeLayout(const WindowLayoutSettings &layout)
{
    Reg reg(m_store);
    badRegistry::WriteSettingText(reg, GeometryValue, layout.geometry);
    badRegistry::WriteSettingText(reg, WidthsValue, numberList(layout.columnWidths));
    badRegistry::WriteSettingText(reg, OrderValue, numberList(layout.columnOrder));
    badRegistry::WriteSettingText(reg, SortColumnValue, layout.sortColumn ? std::to_string(*layout.sortColumn) : "");
    badRegistry::WriteSettingText(reg, SortOrderValue, layout.sortOrder ? std::to_string(*layout.sortOrder) : "");
}
