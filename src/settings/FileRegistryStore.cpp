#include "FileRegistryStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

#include <map>

namespace {

// Keeps a key that has no values yet; no encoded name can look like it.
const QString KeyMarker = QStringLiteral("%");

// QSettings takes '/' and '\' as group separators, so names are percent-encoded. A key's
// name never starts with '.', which marks its values ("." + name), so a value and a
// sub-key of the same name never meet.
QString encodeName(const std::string &name)
{
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

QString groupOf(const std::vector<std::string> &path)
{
    QStringList parts;
    for (const std::string &name : path)
        parts << encodeName(name);
    return parts.join(QLatin1Char('/'));
}

QString valueEntry(const std::vector<std::string> &path, const std::string &name)
{
    return groupOf(path) + QStringLiteral("/.") + encodeName(name);
}

// The type code, a colon, and the bytes: QSettings writes a byte array so that any byte
// survives.
QByteArray encodeValue(const RegValue &value)
{
    return QByteArray::number(value.type) + ':'
           + QByteArray(value.data.data(), static_cast<qsizetype>(value.data.size()));
}

bool decodeValue(const QVariant &stored, RegValue &value)
{
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

// One QSettings per call: it reads what another running copy may have written since.
class Session {
public:
    explicit Session(const QString &filePath)
        : m_settings(filePath, QSettings::IniFormat), m_status(statusOf(m_settings))
    {
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

    QSettings &settings() { return m_settings; }

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
        return m_settings.isWritable() ? RegStatusCode::Success : RegStatusCode::StoreIoFailed;
    }

    RegStatus commit()
    {
        m_settings.sync();
        return statusOf(m_settings);
    }

private:
    QSettings m_settings;
    RegStatus m_status;
};

bool keyExists(QSettings &settings, const QString &group)
{
    settings.beginGroup(group);
    const bool exists = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
    settings.endGroup();
    return exists;
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
    return keyExists(session.settings(), groupOf(path)) ? RegStatusCode::Success
                                                        : RegStatusCode::NotFound;
}

RegStatus FileRegistryStore::makeKey(const KeyPath &path)
{
    Session session(m_filePath);
    if (const RegStatus status = session.writeStatus(); status != RegStatusCode::Success)
        return status;
    for (std::size_t length = 2; length <= path.size(); ++length) {
        const QString group = groupOf(KeyPath(path.begin(), path.begin() + length));
        if (!keyExists(session.settings(), group))
            session.settings().setValue(group + QLatin1Char('/') + KeyMarker, QString());
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
    const QString entry = valueEntry(path, name);
    if (!session.settings().contains(entry))
        return RegStatusCode::NotFound;
    if (decodeValue(session.settings().value(entry), value))
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
    session.settings().setValue(valueEntry(path, name), encodeValue(value));
    return session.commit();
}

RegStatus FileRegistryStore::removeKey(const KeyPath &path)
{
    Session session(m_filePath);
    if (const RegStatus status = session.writeStatus(); status != RegStatusCode::Success)
        return status;
    session.settings().remove(groupOf(path));
    return session.commit();
}

RegStatus FileRegistryStore::removeValue(const KeyPath &path, const std::string &name)
{
    Session session(m_filePath);
    if (const RegStatus status = session.writeStatus(); status != RegStatusCode::Success)
        return status;
    const QString entry = valueEntry(path, name);
    if (!session.settings().contains(entry))
        return RegStatusCode::NotFound;
    session.settings().remove(entry);
    return session.commit();
}

RegStatus FileRegistryStore::subKeyNames(const KeyPath &path, std::vector<std::string> &names)
{
    Session session(m_filePath);
    if (const RegStatus status = session.readStatus(); status != RegStatusCode::Success)
        return status;
    session.settings().beginGroup(groupOf(path));
    names.clear();
    for (const QString &group : session.settings().childGroups())
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
