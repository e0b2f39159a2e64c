#include "MemoryRegistryStore.h"

#include <algorithm>

RegStatus MemoryRegistryStore::findKey(const KeyPath &path)
{
    return m_keys.contains(path) ? RegStatusCode::Success : RegStatusCode::NotFound;
}

RegStatus MemoryRegistryStore::makeKey(const KeyPath &path)
{
    if (m_writeRefusal != RegStatusCode::Success)
        return m_writeRefusal;
    // Every key on the way down exists afterwards, as in the registry.
    for (std::size_t length = 2; length <= path.size(); ++length)
        m_keys.try_emplace(KeyPath(path.begin(), path.begin() + length));
    return RegStatusCode::Success;
}

RegStatus MemoryRegistryStore::readValue(const KeyPath &path, const std::string &name,
                                         RegValue &value)
{
    const auto key = m_keys.find(path);
    if (key == m_keys.end() || !key->second.contains(name))
        return RegStatusCode::NotFound;
    value = key->second.at(name);
    return RegStatusCode::Success;
}

RegStatus MemoryRegistryStore::writeValue(const KeyPath &path, const std::string &name,
                                          const RegValue &value)
{
    if (m_writeRefusal != RegStatusCode::Success)
        return m_writeRefusal;
    m_keys[path][name] = value;
    return RegStatusCode::Success;
}

RegStatus MemoryRegistryStore::removeKey(const KeyPath &path)
{
    if (m_writeRefusal != RegStatusCode::Success)
        return m_writeRefusal;
    m_keys.erase(path);
    return RegStatusCode::Success;
}

RegStatus MemoryRegistryStore::removeValue(const KeyPath &path, const std::string &name)
{
    if (m_writeRefusal != RegStatusCode::Success)
        return m_writeRefusal;
    const auto key = m_keys.find(path);
    if (key == m_keys.end() || key->second.erase(name) == 0)
        return RegStatusCode::NotFound;
    return RegStatusCode::Success;
}

RegStatus MemoryRegistryStore::subKeyNames(const KeyPath &path, std::vector<std::string> &names)
{
    names.clear();
    for (const auto &[keyPath, values] : m_keys) {
        if (keyPath.size() == path.size() + 1
            && std::equal(path.begin(), path.end(), keyPath.begin()))
            names.push_back(keyPath.back());
    }
    return RegStatusCode::Success;
}
