#pragma once

#include <string>

// The folder a path names its file in ("." for a bare name) and the file's own name.
std::string FolderOf(const std::string &path);
std::string FileNameOf(const std::string &path);
