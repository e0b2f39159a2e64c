#pragma once

#include "CliReport.h"

#include <optional>
#include <string>
#include <vector>

// tamsic-ini merge BASE MINE THEIRS [-o OUT]: what theirs changed since base, brought
// into mine, written to OUT (MINE when not given); one line per conflict on standard
// output. A BASE that is an empty file is a base without ROMs (git's %O when the
// branches share no ancestor).
struct MergeArguments {
    std::string base;
    std::string mine;
    std::string theirs;
    std::string out;
};

// The arguments of the whole command line ("merge" first), or nothing when they are wrong.
std::optional<MergeArguments> ParseMergeArguments(const std::vector<std::string> &args);

// Exit::Clean without conflicts, Exit::Conflicts with them (the file is still written,
// keeping mine).
Exit RunMerge(const MergeArguments &arguments);
