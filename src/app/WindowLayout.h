#pragma once

class AppSettings;
class QHeaderView;
class QWidget;
class RomSortFilterProxy;

// The main window's place and size, the list's column widths and order, and its sort,
// kept with the other settings so the next start looks the way this one was left.
namespace WindowLayout {

void save(AppSettings &settings, const QWidget &window, const QHeaderView &header, const RomSortFilterProxy &proxy);
// False when nothing usable was stored (the first start): the window keeps its own size.
bool restore(const AppSettings &settings, QWidget &window, QHeaderView &header, RomSortFilterProxy &proxy);

} // namespace WindowLayout
