#pragma once

#include <string>
#include <string_view>

// text with every control character written as an escape such as "\x1B", so that a line
// of a file cannot move the cursor, retitle the window or colour the terminal. The C0
// controls, DEL and the C1 controls (U+0080 to U+009F, as UTF-8) are escaped, byte by byte.
std::string ForTerminal(std::string_view text);
