#pragma once

#include <cstdint>
#include <string>

// A handle of an open key; the predefined root keys have fixed values.
using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

// Status of a store call, with the registry's numbers.
using RegStatus = std::int32_t;
namespace RegStatusCode {
inline constexpr RegStatus Success = 0;
inline constexpr RegStatus NotFound = 2;        // key or value missing
inline constexpr RegStatus AccessDenied = 5;    // refused write, missing right, key with sub-keys
inline constexpr RegStatus InvalidHandle = 6;
inline constexpr RegStatus InvalidParameter = 87;
inline constexpr RegStatus NoMoreItems = 259;
inline constexpr RegStatus StoreCorrupt = 1009; // the store's file cannot be understood
inline constexpr RegStatus KeyDeleted = 1018;   // the open key was deleted meanwhile
inline constexpr RegStatus StoreIoFailed = 1016; // the store's file cannot be read or written
} // namespace RegStatusCode

// Access rights asked for when a key is opened.
namespace RegAccess {
inline constexpr std::uint32_t QueryValue = 0x1;
inline constexpr std::uint32_t SetValue = 0x2;
inline constexpr std::uint32_t CreateSubKey = 0x4;
inline constexpr std::uint32_t EnumerateSubKeys = 0x8;
inline constexpr std::uint32_t AllUsed = 0x3F;
} // namespace RegAccess

// The registry's value type codes.
namespace RegType {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Text = 1;
inline constexpr std::uint32_t ExpandText = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t Dword = 4;
} // namespace RegType

// A value as stored: its type code and its bytes (a text value carries its NUL).
struct RegValue {
    std::uint32_t type = RegType::None;
    std::string data;

    bool operator==(const RegValue &) const = default;
};

// A hierarchical store of keys holding named values, called the way the registry is:
// keys are opened by a backslash-separated path below an open key, and every call
// returns a status. Every key opened or created must be closed again.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    virtual RegStatus openKey(HKEY parent, const std::string &subKey, std::uint32_t access,
                              HKEY &opened) = 0;
    // Creates the key and every missing key on its path, or opens it when it exists.
    virtual RegStatus createKey(HKEY parent, const std::string &subKey, std::uint32_t access,
                                HKEY &opened) = 0;
    // The whole value, however long.
    virtual RegStatus queryValue(HKEY key, const std::string &valueName, RegValue &value) = 0;
    virtual RegStatus setValue(HKEY key, const std::string &valueName, const RegValue &value) = 0;
    // Refuses (AccessDenied) a key that still has sub-keys.
    virtual RegStatus deleteKey(HKEY parent, const std::string &subKey) = 0;
    virtual RegStatus deleteValue(HKEY key, const std::string &valueName) = 0;
    // The name of the index-th direct sub-key, in name order; NoMoreItems past the last.
    virtual RegStatus enumKey(HKEY key, std::uint32_t index, std::string &name) = 0;
    virtual RegStatus closeKey(HKEY key) = 0;

    // Whether the store as a whole can be read and written: Success, or the store's own
    // failure status, described by statusDescription().
    virtual RegStatus health() = 0;
    // A description for the store's own statuses (naming its file, say); empty for the
    // registry's common ones.
    virtual std::string statusDescription(RegStatus status) const = 0;
    // Where the settings are kept (the store's file), so every message can name it.
    virtual std::string location() const = 0;
};
