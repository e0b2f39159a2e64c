#pragma once

#include <optional>
#include <string_view>

// The value of a text that reads as a decimal number (blanks around it, a sign, a
// fraction and an exponent allowed); nullopt for anything else, the empty text included.
std::optional<double> ParseNumber(std::string_view text);

