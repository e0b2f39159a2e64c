#pragma once

#include <string_view>

// The properties dialog's own wording of a country code (already upper-cased): it
// differs from the list's in "  None", "S (Spa)" and "Unknown". Picture keys are the list's.
const char *PropertiesCountryText(std::string_view code);
// Whether the dialog knows the country of the code (already upper-cased).
bool IsKnownCountryCode(std::string_view code);
