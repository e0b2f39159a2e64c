#pragma once

#include <string>

// Records a path as the remembered ini file and sets the document's path from what the
// settings then hold.
class IniPathResolver {
public:
    virtual ~IniPathResolver() = default;
    virtual bool ResolveIniPath(const std::string &path) = 0;
};
