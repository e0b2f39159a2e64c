#pragma once

#include <string>
#include <string_view>

// Properties that must hold for any input bytes. Each check returns "" when they hold and
// otherwise says which one broke. The fuzz targets abort on a broken property; the
// regression test runs the same checks over the saved corpus and the fixed crash files.

// Loading arbitrary bytes gives a table the rest of the program can trust.
std::string CheckParse(std::string_view bytes);

// Load, save, load: the second load equals the first and saving it again gives the same bytes.
std::string CheckRoundTrip(std::string_view bytes);

// The compatibility report over a table built from the bytes lists every entry once, in
// the right section, with counts and percentages that add up.
std::string CheckReportText(std::string_view bytes);

// Three files cut at NUL bytes merged as base, mine and theirs: a file merged with itself
// and a merge where one side is the base give the other side's entries, and a conflict
// is only where both sides changed a field.
std::string CheckMerge(std::string_view bytes);
