#include "KeyPathStore.h"

#include <algorithm>

namespace {

const char *const LocalMachineName = "HKEY_LOCAL_MACHINE";

// Empty parts (a doubled or trailing backslash) name no key of their own.
void appendPath(std::vector<std::string> &path, const std::string &subKey)
{
    std::size_t start = 0;
    while (start <= subKey.size()) {
        const std::size_t end = std::min(subKey.find('\\', start), subKey.size());
        if (end > start)
            path.push_back(subKey.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

KeyPathStore::KeyPathStore()
{
    // The predefined root key is always open, with every right.
    m_open[HKEY_LOCAL_MACHINE] = OpenKey{{LocalMachineName}, ~0u};
}

RegStatus KeyPathStore::resolve(HKEY parent, const std::string &subKey, KeyPath &path) const
{
    const auto open = m_open.find(parent);
    if (open == m_open.end())
        return RegStatusCode::InvalidHandle;
    path = open->second.path;
    appendPath(path, subKey);
    return RegStatusCode::Success;
}

RegStatus KeyPathStore::usable(HKEY key, std::uint32_t right, const OpenKey *&open)
{
    const auto found = m_open.find(key);
    if (found == m_open.end())
        return RegStatusCode::InvalidHandle;
    if ((found->second.access & right) == 0)
        return RegStatusCode::AccessDenied;
    open = &found->second;
    if (open->path.size() == 1)
        return RegStatusCode::Success;
    // Another handle (or another program) may have deleted the key since it was opened.
    const RegStatus exists = findKey(open->path);
    return exists == RegStatusCode::NotFound ? RegStatusCode::KeyDeleted : exists;
}

HKEY KeyPathStore::remember(KeyPath path, std::uint32_t access)
{
    const HKEY handle = m_nextHandle++;
    m_open[handle] = OpenKey{std::move(path), access};
    return handle;
}

RegStatus KeyPathStore::reach(HKEY parent, const std::string &subKey, std::uint32_t access,
                              HKEY &opened, RegStatus (KeyPathStore::*prepare)(const KeyPath &))
{
    KeyPath path;
    RegStatus status = resolve(parent, subKey, path);
    if (status == RegStatusCode::Success && path.size() > 1)
        status = (this->*prepare)(path);
    if (status == RegStatusCode::Success)
        opened = remember(std::move(path), access);
    return status;
}

RegStatus KeyPathStore::openKey(HKEY parent, const std::string &subKey, std::uint32_t access,
                                HKEY &opened)
{
    return reach(parent, subKey, access, opened, &KeyPathStore::findKey);
}

RegStatus KeyPathStore::createKey(HKEY parent, const std::string &subKey, std::uint32_t access,
                                  HKEY &opened)
{
    return reach(parent, subKey, access, opened, &KeyPathStore::makeKey);
}

RegStatus KeyPathStore::queryValue(HKEY key, const std::string &valueName, RegValue &value)
{
    const OpenKey *open = nullptr;
    const RegStatus status = usable(key, RegAccess::QueryValue, open);
    return status == RegStatusCode::Success ? readValue(open->path, valueName, value) : status;
}

RegStatus KeyPathStore::setValue(HKEY key, const std::string &valueName, const RegValue &value)
{
    const OpenKey *open = nullptr;
    const RegStatus status = usable(key, RegAccess::SetValue, open);
    return status == RegStatusCode::Success ? writeValue(open->path, valueName, value) : status;
}

RegStatus KeyPathStore::deleteKey(HKEY parent, const std::string &subKey)
{
    KeyPath path;
    RegStatus status = resolve(parent, subKey, path);
    if (status != RegStatusCode::Success)
        return status;
    if (path.size() == 1)
        return RegStatusCode::AccessDenied;
    status = findKey(path);
    if (status != RegStatusCode::Success)
        return status;
    // Like the registry, a key is deleted only once its sub-keys are gone, so one call
    // never takes a whole tree with it.
    std::vector<std::string> children;
    status = subKeyNames(path, children);
    if (status != RegStatusCode::Success)
        return status;
    return children.empty() ? removeKey(path) : RegStatusCode::AccessDenied;
}

RegStatus KeyPathStore::deleteValue(HKEY key, const std::string &valueName)
{
    const OpenKey *open = nullptr;
    const RegStatus status = usable(key, RegAccess::SetValue, open);
    return status == RegStatusCode::Success ? removeValue(open->path, valueName) : status;
}

RegStatus KeyPathStore::enumKey(HKEY key, std::uint32_t index, std::string &name)
{
    const OpenKey *open = nullptr;
    RegStatus status = usable(key, RegAccess::EnumerateSubKeys, open);
    std::vector<std::string> children;
    if (status == RegStatusCode::Success)
        status = subKeyNames(open->path, children);
    if (status != RegStatusCode::Success)
        return status;
    std::sort(children.begin(), children.end());
    if (index >= children.size())
        return RegStatusCode::NoMoreItems;
    name = children[index];
    return RegStatusCode::Success;
}

RegStatus KeyPathStore::closeKey(HKEY key)
{
    if (key == HKEY_LOCAL_MACHINE)
        return RegStatusCode::Success;
    return m_open.erase(key) == 1 ? RegStatusCode::Success : RegStatusCode::InvalidHandle;
}
