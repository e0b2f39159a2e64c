#pragma once

#include "KeyPathStore.h"

#include <QString>

#include <memory>

class QSettings;

// The store the program uses: an INI file kept by QSettings, which writes it atomically
// and locks it against a second running copy. It holds the keys below
// HKEY_LOCAL_MACHINE\Software as plain groups and entries a person can read and edit
// ("[Velmoran%20ini%20Editor]", "IniPath=/home/jo/velmoran.ini"); keys elsewhere cannot
// be created. Text values are plain text; other types keep their type code and bytes.
// A file that cannot be read, is damaged, or whose folder cannot be created makes every
// call fail with a status that names the file; a damaged file is never overwritten. A
// single value that cannot be read fails that read alone, with a status naming the file
// and the value.
class FileRegistryStore final : public KeyPathStore {
public:
    explicit FileRegistryStore(QString filePath);

    const QString &filePath() const { return m_filePath; }

    RegStatus health() override;
    std::string statusDescription(RegStatus status) const override;
    std::string location() const override;

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
    QString m_filePath;
    // The value the last read could not make sense of, in a file otherwise sound.
    std::string m_damagedValue;
};

// $XDG_CONFIG_HOME (else ~/.config) + "/Tamsic/settings.ini".
QString UserSettingsPath();

// The store at UserSettingsPath(); point XDG_CONFIG_HOME elsewhere to use another folder.
std::unique_ptr<RegistryStore> OpenUserSettingsStore();
