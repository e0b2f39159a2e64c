// Entry point of every test program that needs Qt: the offscreen platform, and private
// runtime and configuration folders so no test touches the user's real settings.
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir privateHome;
    const QByteArray home = QFile::encodeName(privateHome.path());
    QDir(privateHome.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(privateHome.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(privateHome.path()).mkpath(QStringLiteral("config"));
    qputenv("XDG_RUNTIME_DIR", home + "/runtime");
    qputenv("XDG_CONFIG_HOME", home + "/config");

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Without fonts the offscreen platform draws empty boxes and text checks pass vacuously.
    if (QFontDatabase::families().isEmpty()) {
        fprintf(stderr, "no fonts installed: install fonts-dejavu-core\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
