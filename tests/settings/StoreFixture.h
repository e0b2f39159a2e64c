#pragma once

#include "settings/FileRegistryStore.h"
#include "settings/MemoryRegistryStore.h"
#include "settings/Reg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

enum class StoreKind { Memory, File };

inline std::string StoreKindName(const ::testing::TestParamInfo<StoreKind> &info)
{
    return info.param == StoreKind::Memory ? "Memory" : "File";
}

// What a fresh Reg reads for a value, with no default and no conversion.
inline std::string StoredSetting(RegistryStore &store, const std::string &key, const std::string &name)
{
    Reg reg(store);
    return std::get<std::string>(reg.Query_Value(HKEY_LOCAL_MACHINE, key, name));
}

inline QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file the store will find, making its folder first.
inline void WriteTestFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A fresh store of the kind under test; the file store lives in a private folder.
class StoreTest : public ::testing::TestWithParam<StoreKind> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        if (GetParam() == StoreKind::Memory)
            m_store = std::make_unique<MemoryRegistryStore>();
        else
            m_store = std::make_unique<FileRegistryStore>(m_folder.filePath(QStringLiteral("Tamsic/settings.ini")));
    }

    QTemporaryDir m_folder;
    std::unique_ptr<RegistryStore> m_store;
};
