#pragma once

#include <cstddef>
#include <string>

struct MergeBenchFiles {
    std::string base;
    std::string mine;
    std::string theirs;
};

// Three files for a merge, written into folder: a generated base of that many blocks, and
// mine and theirs each with a tenth of its entries changed (some removed, some with a ROM
// added after them), a hundredth of them in the same field differently on both.
MergeBenchFiles writeMergeBenchFiles(const std::string &folder, std::size_t blocks);
