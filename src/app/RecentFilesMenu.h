#pragma once

#include <QObject>

#include <string>

class AppSettings;
class QMenu;

// File > Recent Files: the ini files opened last, newest first, "&1" to "&5".
class RecentFilesMenu final : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu &menu, AppSettings &settings, QObject *parent = nullptr);

    // path was opened: it goes first.
    void opened(const std::string &path);
    // path is gone: it leaves the list.
    void forget(const std::string &path);

signals:
    void fileChosen(const std::string &path);

private:
    void rebuild();

    QMenu &m_menu;
    AppSettings &m_settings;
};
