#pragma once

#include "DiskChangeGuard.h"
#include "KeptSelection.h"
#include "MergeIntoOpenFile.h"
#include "RomListModel.h"
#include "RomSortFilterProxy.h"
#include "ShownProblems.h"
#include "editing/DocumentSession.h"
#include "settings/AppSettings.h"
#include "settings/SettingsIniPathResolver.h"

#include <QMainWindow>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class FindBar;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class RecentFilesMenu;
class RegistryStore;
class RomListView;
class SelectedRows;
class UserInterface;
struct IniDocument;
struct LoadResult;

// frmMain: the ROM list with its tool bar, menus and status bar, and every command the
// user gives in it. Each command is one action, shared by the menus, the tool bar and
// the keys. Closing it by any route asks about unsaved changes and ends the program.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(IniDocument &doc, UserInterface &ui, RegistryStore &store, QWidget *parent = nullptr);
    ~MainWindow() override;

    // ResolveIniPath: a path is recorded as given; "" asks for the file first.
    IniPathResolver &iniPathResolver() { return m_resolver; }
    // Loads doc.IniPath and lists it, with a new history. A file that cannot be read
    // leaves the open document as it was and shows why; the result is then false.
    bool loadIniFile();
    void FillRomList();

    DocumentSession &session() { return m_session; }
    RomListModel &model() { return m_model; }
    RomSortFilterProxy &proxy() { return m_proxy; }
    // The entry of the selected row, when exactly one row is selected.
    std::optional<std::size_t> selectedEntry() const;
    // The entries of the selected rows, in the order the list shows them.
    std::vector<std::size_t> selectedEntries() const;
    // Opens path, or with "" asks for the file; unsaved changes are offered for saving first.
    void openIniFile(const std::string &path);
    // Asks whether to save unsaved changes; false when the user cancelled or the save failed.
    bool askToSaveChanges();
    QLineEdit &findBox();

public slots:
    void openCommand();
    void saveCommand();
    void saveAsCommand();
    void optionsCommand();
    void exitCommand();
    void removeRomEntryCommand();
    void addRomEntryCommand();
    void duplicateRomEntryCommand();
    void copyCommand();
    void pasteCommand();
    void viewRomPropertiesCommand();
    void crcToUpperCaseCommand();
    void makeCompatListCommand();
    void backupIniFileCommand();
    void aboutCommand();
    void findCommand();
    void selectAllCommand();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    template <typename Slot>
    QAction *command(const QString &name, const QString &caption, Slot slot, const QKeySequence &shortcut = {});
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildList();
    // Wide enough for every column at its usual width, as far as the screen allows.
    void fitColumnsOnScreen();
    void openRecentFile(const std::string &path);
    // For a few seconds, in place of the row count.
    void showWritten(const QString &what, const QString &path);
    void showProperties(std::size_t entryIndex);
    void showManyProperties(const std::vector<std::size_t> &entryIndexes);
    // Print in the properties dialog.
    std::function<void(QWidget &dialog)> propertiesPrinter();
    bool saveTo(const std::string &path);
    // Shows what went wrong in a load, or what it could not read that was not told before;
    // true when it loaded.
    bool reportLoad(const LoadResult &result);
    void updateRowCount();
    void updateCaption();
    // Makes the row that looks current the selected one, and greys the commands that need one.
    void selectCurrentRow();
    // Selects the rows of the entries that are shown; the current row is current's, else
    // the first of them. With none shown, the row that looks current.
    void selectEntries(const std::vector<std::size_t> &entryIndexes, std::optional<std::size_t> current = {});
    SelectedRows selectedRows() const;
    std::optional<std::size_t> currentEntry() const;
    // Selects the rows of entries just made or changed, showing every row first when the
    // find text hides one of them.
    void showAndSelect(const std::vector<std::size_t> &entryIndexes);
    void updateRowCommands();
    // Before the table is read anew: the selection is found again by name and CRC.
    void keepSelectionByName();
    void selectKeptEntries();

    IniDocument &m_doc;
    UserInterface &m_ui;
    RegistryStore &m_store;
    SettingsIniPathResolver m_resolver;
    DocumentSession m_session;
    RomListModel m_model;
    RomSortFilterProxy m_proxy;
    RomListView *m_lvwMain = nullptr;
    FindBar *m_findBar = nullptr;
    QToolBar *m_tlbMain = nullptr;
    QLabel *m_statusPanel = nullptr;
    AppSettings m_settings;
    RecentFilesMenu *m_recentMenu = nullptr;
    QMenu *m_mnuUndo = nullptr;
    QMenu *m_mnulvwpopup = nullptr;

    QAction *m_actOpen = nullptr;
    QAction *m_actSave = nullptr;
    QAction *m_actSaveAs = nullptr;
    QAction *m_actMerge = nullptr;
    QAction *m_actOptions = nullptr;
    QAction *m_actExit = nullptr;
    QAction *m_actUndo = nullptr;
    QAction *m_actRedo = nullptr;
    QAction *m_actFind = nullptr;
    QAction *m_actSelectAll = nullptr;
    QAction *m_actRemove = nullptr;
    QAction *m_actAdd = nullptr;
    QAction *m_actDuplicate = nullptr;
    QAction *m_actCopy = nullptr;
    QAction *m_actPaste = nullptr;
    QAction *m_actProperties = nullptr;
    QAction *m_actCrcUcase = nullptr;
    QAction *m_actMakeCompat = nullptr;
    QAction *m_actBackup = nullptr;
    QAction *m_actAbout = nullptr;

    // The selection while the list is rebuilt.
    KeptSelection m_kept;
    ShownProblems m_shownProblems;
    MergeIntoOpenFile m_merge;
    DiskChangeGuard m_diskGuard;
};
