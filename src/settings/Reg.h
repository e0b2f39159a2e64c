#pragma once

#include "RegistryStore.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

// Query_Value's result: a text, or the integer 0 (ResultType 2 on a text that is no number).
using RegQueryResult = std::variant<std::string, std::int32_t>;

// The text for a failed status: the fixed table for the common statuses, then the store's
// own description (naming its file), else a general text.
std::string RegStatusDescription(RegStatus status, const RegistryStore &store);

// Reads and writes keys and values of a store. It never lets a failure escape: each call
// returns a result, and each failure is recorded in the error members and announced
// through ErrorOccurred. It keeps no key open between calls.
class Reg final {
public:
    // The arguments are the recorded members themselves: a handler may change the record.
    using ErrorHandler =
        std::function<void(std::int32_t &Number, std::string &Source, std::string &Description)>;

    explicit Reg(RegistryStore &store);

    const std::string &ErrorSource() const { return m_errorSource; }
    const std::string &ErrorDescription() const { return m_errorDescription; }
    std::int32_t ErrorNumber() const { return m_errorNumber; }
    // True once after each recorded failure: reading it clears the flag.
    bool ErrorExist();

    bool Delete_Key(HKEY lngKey, const std::string &sKeyName);
    bool Delete_Value(HKEY lngKey, const std::string &sKeyName, const std::string &sValueName);
    bool Set_Key(HKEY lngKey, const std::string &sNewKeyName);
    bool Set_Value(HKEY lngKey, const std::string &sKeyName, const std::string &sValueName,
                   const std::string &vValueSetting, std::int32_t lValueType);
    // ResultType 1: anything but a word "true" in any case becomes "FALSE".
    // ResultType 2: a text that is no number becomes the integer 0.
    RegQueryResult Query_Value(HKEY lngKey, const std::string &sKeyName,
                               const std::string &sValueName, const std::string &sDefault = {},
                               std::int32_t ResultType = 0);
    bool Query_Key(HKEY lngKey, const std::string &sKeyName);
    std::vector<std::string> EnumKeys(HKEY lngKey, const std::string &sKeyName);

    // Raised once for every recorded failure, after the error members are set.
    ErrorHandler ErrorOccurred;

private:
    void RecordError(std::int32_t number, const std::string &source,
                     const std::string &description, bool fromTable);
    void recordStatus(RegStatus status, const char *method);
    // Runs body; a failure thrown inside is recorded with the method's call as its source.
    template <typename Body>
    void guarded(const char *method, std::initializer_list<const std::string *> arguments,
                 Body body);

    RegistryStore &m_store;
    std::string m_errorSource;
    std::string m_errorDescription;
    std::int32_t m_errorNumber = 0;
    bool m_errorExist = false;
};
