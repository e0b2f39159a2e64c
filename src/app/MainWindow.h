#pragma once

#include "DiskChangeGuard.h"
#include "RomListModel.h"
#include "RomSortProxy.h"
#include "ShownProblems.h"
#include "settings/RecentFiles.h"
#include "settings/SettingsIniPathResolver.h"

#include <QMainWindow>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class RegistryStore;
class RomListView;
class UndoMenu;
class UserInterface;
struct IniDocument;
struct LoadResult;

// frmMain: the ROM list with its tool bar, menus and status bar, and every command the
// user gives in it. Closing it by any route asks whether to save and ends the program.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(IniDocument &doc, UserInterface &ui, RegistryStore &store, QWidget *parent = nullptr);
    ~MainWindow() override;

    // ResolveIniPath: a path is recorded as given; "" asks for the file first.
    IniPathResolver &iniPathResolver() { return m_resolver; }
    // LoadIniFile followed by FillRomList. A file that cannot be read leaves the open
    // document as it was and shows why; the result is then false.
    bool loadIniFile();
    void FillRomList();

    RomListModel &model() { return m_model; }
    RomSortProxy &proxy() { return m_proxy; }
    // The entry of the selected row, if a row is selected.
    std::optional<std::size_t> selectedEntry() const;
    // Opens path, or with "" asks for the file; unsaved changes are offered for saving first.
    void openIniFile(const std::string &path);
    // Asks whether to save unsaved changes; false when the user cancelled or the save failed.
    bool askToSaveChanges();
    QLineEdit &findBox() { return *m_txtFind; }

public slots:
    void openCommand();
    void saveCommand();
    void saveAsCommand();
    void optionsCommand();
    void exitCommand();
    void removeRomEntryCommand();
    void viewRomPropertiesCommand();
    void crcToUpperCaseCommand();
    void makeCompatListCommand();
    void backupIniFileCommand();
    void aboutCommand();
    void popUpUndoMenu();
    void undoLastRemovalCommand();
    void findCommand();
    // A tool bar click, dispatched by the button's tool tip text.
    void tlbMain_ButtonClick(const QString &toolTip);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildList();
    QWidget *buildFindBox();
    // Wide enough for every column at its usual width, as far as the screen allows.
    void fitColumnsOnScreen();
    void rebuildRecentMenu();
    void openRecentFile(const std::string &path);
    // For a few seconds, in place of the row count.
    void showWritten(const QString &what, const QString &path);
    void showProperties(std::size_t entryIndex);
    bool saveTo(const std::string &path);
    // Shows what went wrong in a load, or what it could not read that was not told before;
    // true when it loaded.
    bool reportLoad(const LoadResult &result);
    bool confirmExit();
    void updateRowCount();
    // The record of changes not yet saved, shown by a leading "*" in the caption.
    void setUnsavedChanges(bool unsaved);
    void updateCaption();
    // Makes the row that looks current the selected one, and greys the commands that need one.
    void selectCurrentRow();
    void updateRowCommands();

    IniDocument &m_doc;
    UserInterface &m_ui;
    RegistryStore &m_store;
    SettingsIniPathResolver m_resolver;
    RomListModel m_model;
    RomSortProxy m_proxy;
    RomListView *m_lvwMain = nullptr;
    QToolBar *m_tlbMain = nullptr;
    QLabel *m_statusPanel = nullptr;
    QLineEdit *m_txtFind = nullptr;
    QMenu *m_mnuRecent = nullptr;
    RecentFiles m_recentFiles;
    QMenu *m_mnuUndo = nullptr;
    QMenu *m_mnulvwpopup = nullptr;
    UndoMenu *m_undoMenu = nullptr;
    // The menu items and tool bar buttons that act on the selected row.
    std::vector<QAction *> m_rowCommands;
    bool m_unsavedChanges = false;
    ShownProblems m_shownProblems;
    DiskChangeGuard m_diskGuard;
};
