#pragma once

#include "KeyPathStore.h"

#include <map>

// A store that lives only in memory, for tests.
class MemoryRegistryStore final : public KeyPathStore {
public:
    // Every later write is refused with this status (Success accepts writes again).
    void refuseWrites(RegStatus status) { m_writeRefusal = status; }

    RegStatus health() override { return m_writeRefusal; }
    std::string statusDescription(RegStatus) const override { return {}; }
    std::string location() const override { return "(settings in memory)"; }

protected:
    RegStatus findKey(const KeyPath &path) override;
    RegStatus makeKey(const KeyPath &path) override;
    RegStatus readValue(const KeyPath &path, const std::string &name, RegValue &value) override;
    RegStatus writeValue(const KeyPath &path, const std::string &name,
                         const RegValue &value) override;
    RegStatus removeKey(const KeyPath &path) override;
    RegStatus removeValue(const KeyPath &path, const std::string &name) override;
    RegStatus subKeyNames(const KeyPath &path, std::vector<std::string> &names) override;

private:
    std::map<KeyPath, std::map<std::string, RegValue>> m_keys;
    RegStatus m_writeRefusal = RegStatusCode::Success;
};
