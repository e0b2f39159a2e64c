#include "Reg.h"

#include "NumericText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

const char *const Breaks = "\r\n\r\n";
// The source a failure inside a method gives as its own, after the method's name.
const char *const ProgramSource = "Tamsic";
constexpr std::int32_t InvalidKeyNumber = 20000;
const char *const InvalidKeyDescription = "The registry key specified is invalid.";

// A failure inside a method that is not a store status, with its own number.
struct MethodFailure : std::runtime_error {
    MethodFailure(std::int32_t number, const char *description)
        : std::runtime_error(description), number(number)
    {
    }
    std::int32_t number;
};

std::string toDword(const std::string &text)
{
    const std::optional<double> number = ParseNumber(text);
    if (!number)
        throw MethodFailure(13, "Type mismatch");
    // Half-way values go to the even neighbour, as the conversion to a whole number does.
    const double rounded = std::nearbyint(*number);
    if (rounded < std::numeric_limits<std::int32_t>::min()
        || rounded > std::numeric_limits<std::int32_t>::max())
        throw MethodFailure(6, "Overflow");
    const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(rounded));
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

// The bytes Set_Value writes for a type; nothing for the types it does not write.
std::optional<std::string> storedBytes(std::uint32_t type, const std::string &setting)
{
    switch (type) {
    case RegType::None:
    case RegType::Text:
    case RegType::Binary:
        return setting + '\0';
    case RegType::Dword:
        return toDword(setting);
    default:
        return std::nullopt;
    }
}

std::string upperCased(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

RegQueryResult postProcessed(std::string result, std::int32_t resultType)
{
    if (resultType == 1 && upperCased(result) != "TRUE")
        return std::string("FALSE");
    if (resultType == 2 && !ParseNumber(result))
        return std::int32_t{0};
    return result;
}

// The name of the failing method with its text arguments, as a failure's source begins.
std::string callText(const char *method, std::initializer_list<const std::string *> arguments)
{
    std::string text = std::string(method) + " (";
    const char *separator = "";
    for (const std::string *argument : arguments) {
        text += separator + *argument;
        separator = ",";
    }
    return text + ")";
}

} // namespace

std::string RegStatusDescription(RegStatus status, const RegistryStore &store)
{
    switch (status) {
    case 1: return "Error with database.";
    case 2: return "The key specified is invalid or cannot be found.";
    case 3: return "Cannot open specified key.";
    case 4: return "Cannot read specified key.";
    case 5: return "Cannot write to specified key.";
    case 6: return "Out of memory while performing registry task.";
    case 7: return "The parameter specified is invalid.";
    case 8: return "Access was denied.";
    case 87: return "The parameters specified is invalid.";
    case 259: return "There are no more items to return.";
    default: break;
    }
    // The store's own failures name its file, so the user knows what to repair.
    const std::string own = store.statusDescription(status);
    return own.empty() ? "Error performing task on the Registry." : own;
}

Reg::Reg(RegistryStore &store) : m_store(store) {}

bool Reg::ErrorExist()
{
    return std::exchange(m_errorExist, false);
}

void Reg::RecordError(std::int32_t number, const std::string &source,
                      const std::string &description, bool fromTable)
{
    m_errorExist = true;
    m_errorNumber = number;
    m_errorSource = source;
    m_errorDescription = fromTable ? RegStatusDescription(number, m_store) : description;
    if (ErrorOccurred)
        ErrorOccurred(m_errorNumber, m_errorSource, m_errorDescription);
}

void Reg::recordStatus(RegStatus status, const char *method)
{
    RecordError(status, std::string(method) + Breaks, {}, true);
}

template <typename Body>
void Reg::guarded(const char *method, std::initializer_list<const std::string *> arguments,
                  Body body)
{
    std::int32_t number = 0;
    std::string description;
    try {
        body();
        return;
    } catch (const MethodFailure &failure) {
        number = failure.number;
        description = failure.what();
    } catch (const std::bad_alloc &) {
        number = 7;
        description = "Out of memory";
    } catch (const std::exception &failure) {
        number = 51;
        description = failure.what();
    }
    try {
        RecordError(number, callText(method, arguments) + Breaks + ProgramSource, description,
                    false);
    } catch (const std::bad_alloc &) {
        // Out of memory even for the record: the result alone must tell the caller.
    }
}

bool Reg::Delete_Key(HKEY lngKey, const std::string &sKeyName)
{
    bool result = false;
    guarded("Reg.Delete_Key", {&sKeyName}, [&] {
        const RegStatus status = m_store.deleteKey(lngKey, sKeyName);
        if (status != RegStatusCode::Success)
            recordStatus(status, "Reg.Delete_Key");
        result = status == RegStatusCode::Success;
    });
    return result;
}

bool Reg::Delete_Value(HKEY lngKey, const std::string &sKeyName, const std::string &sValueName)
{
    bool result = false;
    guarded("Reg.Delete_Value", {&sKeyName, &sValueName}, [&] {
        HKEY key = 0;
        RegStatus status = m_store.openKey(lngKey, sKeyName, RegAccess::AllUsed, key);
        if (status == RegStatusCode::Success) {
            status = m_store.deleteValue(key, sValueName);
            m_store.closeKey(key);
        }
        if (status != RegStatusCode::Success)
            recordStatus(status, "Reg.Delete_Value");
        result = status == RegStatusCode::Success;
    });
    return result;
}

bool Reg::Set_Key(HKEY lngKey, const std::string &sNewKeyName)
{
    bool result = false;
    guarded("Reg.Set_Key", {&sNewKeyName}, [&] {
        HKEY key = 0;
        const RegStatus status = m_store.createKey(lngKey, sNewKeyName, RegAccess::AllUsed, key);
        if (status == RegStatusCode::Success) {
            m_store.closeKey(key);
            result = true;
        } else {
            recordStatus(status, "Reg.Set_Key");
        }
    });
    return result;
}

bool Reg::Set_Value(HKEY lngKey, const std::string &sKeyName, const std::string &sValueName,
                    const std::string &vValueSetting, std::int32_t lValueType)
{
    bool result = false;
    guarded("Reg.Set_Value", {&sKeyName, &sValueName, &vValueSetting}, [&] {
        HKEY key = 0;
        RegStatus status = m_store.openKey(lngKey, sKeyName, RegAccess::AllUsed, key);
        if (status != RegStatusCode::Success) {
            if (!Set_Key(lngKey, sKeyName)) {
                RecordError(0, std::string("Reg.Set_Value") + Breaks, {}, true);
                return;
            }
            status = m_store.openKey(lngKey, sKeyName, RegAccess::AllUsed, key);
            if (status != RegStatusCode::Success) {
                recordStatus(status, "Reg.Set_Value");
                return;
            }
        }
        const auto type = static_cast<std::uint32_t>(lValueType);
        std::optional<std::string> data;
        try {
            data = storedBytes(type, vValueSetting);
        } catch (...) {
            m_store.closeKey(key);
            throw;
        }
        // Other types are not written; the call still counts as done.
        if (data)
            status = m_store.setValue(key, sValueName, {type, *data});
        result = status == RegStatusCode::Success;
        if (!result)
            recordStatus(status, "Reg.Set_Value");
        if (const RegStatus closed = m_store.closeKey(key); closed != RegStatusCode::Success)
            recordStatus(closed, "Reg.Set_Value");
    });
    return result;
}

RegQueryResult Reg::Query_Value(HKEY lngKey, const std::string &sKeyName,
                                const std::string &sValueName, const std::string &sDefault,
                                std::int32_t ResultType)
{
    std::string result;
    guarded("Reg.Query_Value", {&sKeyName, &sValueName}, [&] {
        HKEY key = 0;
        if (m_store.openKey(lngKey, sKeyName, RegAccess::QueryValue, key)
            != RegStatusCode::Success) {
            result = sDefault;
            RecordError(InvalidKeyNumber, "Reg.Query_Value", InvalidKeyDescription, false);
            return;
        }
        RegValue value;
        const RegStatus status = m_store.queryValue(key, sValueName, value);
        m_store.closeKey(key);
        if (status != RegStatusCode::Success) {
            recordStatus(status, "Reg.Query_Value");
            result = sDefault;
            return;
        }
        // The last byte is the text's terminating NUL.
        if (!value.data.empty())
            value.data.pop_back();
        result = std::move(value.data);
    });
    return postProcessed(std::move(result), ResultType);
}

bool Reg::Query_Key(HKEY lngKey, const std::string &sKeyName)
{
    bool result = false;
    guarded("Reg.Query_Key", {&sKeyName}, [&] {
        HKEY key = 0;
        result = m_store.openKey(lngKey, sKeyName, RegAccess::QueryValue, key)
                 == RegStatusCode::Success;
        if (result)
            m_store.closeKey(key);
    });
    return result;
}

std::vector<std::string> Reg::EnumKeys(HKEY lngKey, const std::string &sKeyName)
{
    std::vector<std::string> names;
    guarded("Reg.EnumKeys", {&sKeyName}, [&] {
        HKEY key = 0;
        if (m_store.openKey(lngKey, sKeyName, RegAccess::AllUsed, key)
            != RegStatusCode::Success) {
            names = {std::string()};
            RecordError(InvalidKeyNumber, "Reg.EnumKeys", InvalidKeyDescription, false);
            return;
        }
        // Any status but success ends the list, "no more items" included.
        std::string name;
        for (std::uint32_t index = 0;
             m_store.enumKey(key, index, name) == RegStatusCode::Success; ++index)
            names.push_back(name);
        m_store.closeKey(key);
    });
    return names;
}
