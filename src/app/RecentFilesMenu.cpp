#include "RecentFilesMenu.h"

#include "settings/AppSettings.h"
#include "ui/FileText.h"

#include <QAction>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QMenu &menu, AppSettings &settings, QObject *parent)
    : QObject(parent), m_menu(menu), m_settings(settings)
{
    rebuild();
}

void RecentFilesMenu::opened(const std::string &path)
{
    m_settings.addRecentFile(path);
    rebuild();
}

void RecentFilesMenu::forget(const std::string &path)
{
    m_settings.removeRecentFile(path);
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    m_menu.clear();
    const std::vector<std::string> paths = m_settings.recentFiles();
    for (std::size_t place = 0; place < paths.size(); ++place) {
        QString caption = fromPath(paths[place]);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = m_menu.addAction(QStringLiteral("&%1 %2").arg(place + 1).arg(caption));
        item->setObjectName(QStringLiteral("mnuRecentFile"));
        connect(item, &QAction::triggered, this, [this, path = paths[place]] { emit fileChosen(path); });
    }
    m_menu.setEnabled(!paths.empty());
}
