#pragma once

#include "inidb/IniDocument.h"

#include <cstddef>
#include <string_view>

// A document of many entries whose every name and info carries tag, so two documents
// built with different tags differ in every block and in length.
IniDocument BigDocument(std::string_view tag, std::size_t entries);
