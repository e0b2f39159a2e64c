#pragma once

#include "RegistryStore.h"

#include <map>
#include <string>
#include <vector>

// The handle side of a store: hands out handles for open keys, checks access rights
// and resolves paths, so that a backing store only deals with whole key paths.
class KeyPathStore : public RegistryStore {
public:
    KeyPathStore();

    RegStatus openKey(HKEY parent, const std::string &subKey, std::uint32_t access,
                      HKEY &opened) override;
    RegStatus createKey(HKEY parent, const std::string &subKey, std::uint32_t access,
                        HKEY &opened) override;
    RegStatus queryValue(HKEY key, const std::string &valueName, RegValue &value) override;
    RegStatus setValue(HKEY key, const std::string &valueName, const RegValue &value) override;
    RegStatus deleteKey(HKEY parent, const std::string &subKey) override;
    RegStatus deleteValue(HKEY key, const std::string &valueName) override;
    RegStatus enumKey(HKEY key, std::uint32_t index, std::string &name) override;
    RegStatus closeKey(HKEY key) override;

protected:
    // Key names from the root key's own name down, e.g. {"HKEY_LOCAL_MACHINE", "Software"}.
    using KeyPath = std::vector<std::string>;

    // Each returns Success, NotFound, or the backing store's own failure.
    virtual RegStatus findKey(const KeyPath &path) = 0;
    virtual RegStatus makeKey(const KeyPath &path) = 0; // with every missing parent
    virtual RegStatus readValue(const KeyPath &path, const std::string &name,
                                RegValue &value) = 0;
    virtual RegStatus writeValue(const KeyPath &path, const std::string &name,
                                 const RegValue &value) = 0;
    virtual RegStatus removeKey(const KeyPath &path) = 0; // a key without sub-keys
    virtual RegStatus removeValue(const KeyPath &path, const std::string &name) = 0;
    virtual RegStatus subKeyNames(const KeyPath &path, std::vector<std::string> &names) = 0;

private:
    struct OpenKey {
        KeyPath path;
        std::uint32_t access = 0;
    };

    RegStatus resolve(HKEY parent, const std::string &subKey, KeyPath &path) const;
    // Opens a handle on the key once prepare (finding or making it) has succeeded.
    RegStatus reach(HKEY parent, const std::string &subKey, std::uint32_t access, HKEY &opened,
                    RegStatus (KeyPathStore::*prepare)(const KeyPath &));
    RegStatus usable(HKEY key, std::uint32_t right, const OpenKey *&open);
    HKEY remember(KeyPath path, std::uint32_t access);

    std::map<HKEY, OpenKey> m_open;
    HKEY m_nextHandle = 1;
};
