#include "FileRegistryStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <optional>

namespace {

// A key without values or sub-keys keeps this entry, so that it still exists. Encoded
// names never start with '.', so no value or key can be taken for it.
const QString KeyMarker = QStringLiteral(".empty-key");
// The key's unnamed value; QSettings has no entry without a name.
const QString UnnamedValue = QStringLiteral(".default");

// The file keeps the branch HKEY_LOCAL_MACHINE\Software, where programs keep their
// settings: its values are the file's top-level entries, each key below it a group.
const char *const TopKeyName = "Software";

// QSettings takes '/' and '\' as group separators, so such names are percent-encoded;
// plain names stay as they are, so the file reads the way a person would write it.
QString encodeName(const std::string &name)
{
    if (name.empty())
        return UnnamedValue;
    QString encoded;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const bool plain = byte >= 0x20 && byte < 0x7F && byte != '%' && byte != '/'
                           && byte != '\\' && !(i == 0 && byte == '.');
        if (plain)
            encoded += QLatin1Char(static_cast<char>(byte));
        else
            encoded += QStringLiteral("%%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    }
    return encoded;
}

std::string decodeName(const QString &encoded)
{
    return QByteArray::fromPercentEncoding(encoded.toLatin1()).toStdString();
}

// The group of a key below the top key ("" for the top key itself); none for a key
// outside the branch the file keeps.
std::optional<QString> groupOf(const std::vector<std::string> &path)
{
    if (path.size() < 2 || path[1] != TopKeyName)
        return std::nullopt;
    QStringList parts;
    for (auto name = path.begin() + 2; name != path.end(); ++name)
        parts << encodeName(*name);
    return parts.join(QLatin1Char('/'));
}

QString entryOf(const QString &group, const QString &name)
{
    return group.isEmpty() ? name : group + QLatin1Char('/') + name;
}

QString parentOf(const QString &group)
{
    return group.left(std::max<qsizetype>(group.lastIndexOf(QLatin1Char('/')), 0));
}

// Text the application writes (UTF-8 closed by its NUL) is kept as plain text, as a
// person would write it; anything else is kept whole as QSettings' byte array behind
// its type code.
QVariant storedForm(const RegValue &value)
{
    if (value.type == RegType::Text && !value.data.empty() && value.data.back() == '\0') {
        const QByteArray text(value.data.data(), static_cast<qsizetype>(value.data.size()) - 1);
        const QString decoded = QString::fromUtf8(text);
        if (!text.contains('\0') && decoded.toUtf8() == text)
            return decoded;
    }
    return QByteArray::number(value.type) + ':'
           + QByteArray(value.data.data(), static_cast<qsizetype>(value.data.size()));
}

// A text that QSettings read as a list (an unquoted comma) cannot be told apart from
// another spacing of it, so only text and byte arrays are values.
bool readStoredForm(const QVariant &stored, RegValue &value)
{
    if (stored.typeId() == QMetaType::QString) {
        value.type = RegType::Text;
        value.data = stored.toString().toStdString() + '\0';
        return true;
    }
    if (stored.typeId() != QMetaType::QByteArray)
        return false;
    const QByteArray bytes = stored.toByteArray();
    const qsizetype colon = bytes.indexOf(':');
    bool isNumber = false;
    const uint type = bytes.left(colon).toUInt(&isNumber);
    if (colon < 1 || !isNumber)
        return false;
    value.type = type;
    value.data = bytes.mid(colon + 1).toStdString();
    return true;
}

RegStatus statusOf(const QSettings &settings)
{
    switch (settings.status()) {
    case QSettings::NoError:
        return RegStatusCode::Success;
    case QSettings::FormatError:
        return RegStatusCode::StoreCorrupt;
    case QSettings::AccessError:
        break;
    }
    return RegStatusCode::StoreIoFailed;
}

// Size and time of change, to tell whether a file is still the one that was read.
struct FileSignature {
    qint64 size = 0;
    QDateTime modified;

    explicit FileSignature(const QString &filePath)
    {
        const QFileInfo info(filePath);
        size = info.size();
        modified = info.lastModified();
    }
    bool operator==(const FileSignature &) const = default;
};

// QSettings reports a damaged file only to the object that parsed it; later objects share
// that parse and report no error. So the damage is remembered here for as long as the file
// stays as it was. Only the user-interface thread uses the stores.
std::map<QString, FileSignature> &damagedFiles()
{
    static std::map<QString, FileSignature> files;
    return files;
}

// The store writes plain ASCII only. QSettings takes NUL bytes and broken UTF-8 without
// complaint and would write them back changed, so a file holding them is damaged.
bool holdsUndecodableText(const QString &filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() || bytes.contains('\0');
}

// A FIFO would hold the program on reading it, a device would be read forever; a
// missing file is no such thing.
bool isNonRegularFile(const QString &filePath)
{
    const QFileInfo info(filePath);
    return info.exists() && !info.isFile();
}

// One QSettings per call: it reads what another running copy may have written since.
class Session {
public:
    explicit Session(const QString &filePath)
    {
        if (isNonRegularFile(filePath)) {
            m_status = RegStatusCode::StoreIoFailed;
            return;
        }
        m_settings.emplace(filePath, QSettings::IniFormat);
        m_status = statusOf(*m_settings);
        if (m_status == RegStatusCode::Success && holdsUndecodableText(filePath))
            m_status = RegStatusCode::StoreCorrupt;
        const FileSignature signature(filePath);
        auto &damaged = damagedFiles();
        const auto known = damaged.find(filePath);
        if (m_status == RegStatusCode::StoreCorrupt)
            damaged.insert_or_assign(filePath, signature);
        else if (known != damaged.end() && known->second == signature)
            m_status = RegStatusCode::StoreCorrupt;
        else if (known != damaged.end())
            damaged.erase(known);
    }

    // Only once readStatus() or writeStatus() said Success.
    QSettings &settings() { return *m_settings; }

    // The file as read; a damaged or unreadable file fails every call, so it is never
    // overwritten with the part QSettings could make sense of.
    RegStatus readStatus() const { return m_status; }

    // Creates the folder when needed. Checked before writing, because a QSettings that
    // fails to write keeps the change in its shared cache.
    RegStatus writeStatus()
    {
        const RegStatus status = readStatus();
        if (status != RegStatusCode::Success)
            return status;
        return m_settings->isWritable() ? RegStatusCode::Success : RegStatusCode::StoreIoFailed;
    }

    RegStatus commit()
    {
        m_settings->sync();
        return statusOf(*m_settings);
    }

private:
    std::optional<QSettings> m_settings;
    RegStatus m_status = RegStatusCode::Success;
};

bool keyExists(QSettings &settings, const QString &group)
{
    settings.beginGroup(group);
    const bool exists = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
    settings.endGroup();
    return exists;
}

// QSettings removes a value together with the group of the same name and the other way
// round; in the registry a value and a sub-key never take each other along, so the entries
// in keep are put back. A key left empty keeps its marker, so that it still exists.
void removeEntry(QSettings &settings, const QString &entry, const QStringList &keep)
{
    QList<std::pair<QString, QVariant>> kept;
    for (const QString &name : keep)
        kept.append({name, settings.value(name)});
    settings.remove(entry);
    for (const auto &[name, value] : kept)
        settings.setValue(name, value);
    const QString group = parentOf(entry);
    if (!keyExists(settings, group))
        settings.setValue(entryOf(group, KeyMarker), QString());
}

} // namespace

FileRegistryStore::FileRegistryStore(QString filePath) : m_filePath(std::move(filePath)) {}

RegStatus FileRegistryStore::health()
{
    return Session(m_filePath).writeStatus();
}

std::string FileRegistryStore::location() const
{
    return QFile::encodeName(QDir::toNativeSeparators(m_filePath)).toStdString();
}

std::string FileRegistryStore::statusDescription(RegStatus status) const
{
    const std::string file = location();
    switch (status) {
    case RegStatusCode::StoreCorrupt:
        // A file damaged as a whole says so, whatever value was read before.
        if (!m_damagedValue.empty() && !damagedFiles().contains(m_filePath))
            return "The settings file \"" + file + "\" holds a damaged value \"" + m_damagedValue
                   + "\"; correct or delete it.";
        return "The settings file \"" + file + "\" is damaged; correct or delete it.";
    case RegStatusCode::StoreIoFailed:
        if (isNonRegularFile(m_filePath))
            return "The settings file \"" + file + "\" is not a regular file.";
        return "The settings file \"" + file + "\" cannot be read or written.";
    default:
        return {};
    }
}

RegStatus FileRegistryStore::findKey(const KeyPath &path)
{
    Session session(m_filePath);
    if (const RegStatus status = session.readStatus(); status != RegStatusCode::Success)
        return status;
    const std::optional<QString> group = groupOf(path);
    return group && keyExists(session.settings(), *group) ? RegStatusCode::Success
                                                          : RegStatusCode::NotFound;
}

RegStatus FileRegistryStore::makeKey(const KeyPath &path)
{
    const std::optional<QString> group = groupOf(path);
    if (!group)
        return RegStatusCode::AccessDenied;
    Session session(m_filePath);
    if (const RegStatus status = session.writeStatus(); status != RegStatusCode::Success)
        return status;
    QSettings &settings = session.settings();
    if (keyExists(settings, *group))
        return RegStatusCode::Success;
    // The new key's parents exist through it and need no marker of their own.
    settings.setValue(entryOf(*group, KeyMarker), QString());
    for (QString parent = *group; !parent.isEmpty();) {
        parent = parentOf(parent);
        settings.remove(entryOf(parent, KeyMarker));
    }
    return session.commit();
}

RegStatus FileRegistryStore::readValue(const KeyPath &path, const std::string &name,
                                       RegValue &value)
{
    m_damagedValue.clear();
    Session session(m_filePath);
    if (const RegStatus status = session.readStatus(); status != RegStatusCode::Success)
        return status;
    const QString entry = entryOf(groupOf(path).value(), encodeName(name));
    if (!session.settings().contains(entry))
        return RegStatusCode::NotFound;
    if (readStoredForm(session.settings().value(entry), value))
        return RegStatusCode::Success;
    m_damagedValue = name;
    return RegStatusCode::StoreCorrupt;
}

RegStatus FileRegistryStore::writeValue(const KeyPath &path, const std::string &name,
                                        const RegValue &value)
{
    Session session(m_filePath);
    if (const RegStatus status = session.writeStatus(); status != RegStatusCode::Success)
        return status;
    const QString group = groupOf(path).value();
    session.settings().setValue(entryOf(group, encodeName(name)), storedForm(value));
    session.settings().remove(entryOf(group, KeyMarker));
    return session.commit();
}

RegStatus FileRegistryStore::removeKey(const KeyPath &path)
{
    Session session(m_filePath);
    if (const RegStatus status = session.writeStatus(); status != RegStatusCode::Success)
        return status;
    const QString group = groupOf(path).value();
    QSettings &settings = session.settings();
    if (group.isEmpty()) {
        settings.remove(QString());
        return session.commit();
    }
    // The parent's value of the same name stays.
    QStringList keep;
    if (settings.contains(group))
        keep << group;
    removeEntry(settings, group, keep);
    return session.commit();
}

RegStatus FileRegistryStore::removeValue(const KeyPath &path, const std::string &name)
{
    Session session(m_filePath);
    if (const RegStatus status = session.writeStatus(); status != RegStatusCode::Success)
        return status;
    const QString entry = entryOf(groupOf(path).value(), encodeName(name));
    QSettings &settings = session.settings();
    if (!settings.contains(entry))
        return RegStatusCode::NotFound;
    // The sub-key of the same name stays.
    settings.beginGroup(entry);
    QStringList keep;
    for (const QString &inner : settings.allKeys())
        keep << entry + QLatin1Char('/') + inner;
    settings.endGroup();
    removeEntry(settings, entry, keep);
    return session.commit();
}

RegStatus FileRegistryStore::subKeyNames(const KeyPath &path, std::vector<std::string> &names)
{
    Session session(m_filePath);
    if (const RegStatus status = session.readStatus(); status != RegStatusCode::Success)
        return status;
    names.clear();
    QSettings &settings = session.settings();
    if (path.size() == 1) {
        if (keyExists(settings, QString()))
            names.push_back(TopKeyName);
        return RegStatusCode::Success;
    }
    settings.beginGroup(groupOf(path).value());
    for (const QString &group : settings.childGroups())
        names.push_back(decodeName(group));
    return RegStatusCode::Success;
}

QString UserSettingsPath()
{
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/Tamsic/settings.ini");
}

std::unique_ptr<RegistryStore> OpenUserSettingsStore()
{
    return std::make_unique<FileRegistryStore>(UserSettingsPath());
}
