#pragma once

#include "inidb/IoStatus.h"

#include <cstddef>
#include <string>

// Reports what went wrong and ends the benchmark.
[[noreturn]] void fail(const IoStatus &status);
// Writing the bytes to a file and flushing them to the disk.
void writeAndFlush(const std::string &path, const std::string &bytes);
// The generated file of that many blocks; every benchmark of a size times the same bytes.
void writeBenchIni(const std::string &path, std::size_t blocks);
// A new folder for the files below base; ends the benchmark when it cannot be made.
std::string makeBenchFolder(const std::string &base);
