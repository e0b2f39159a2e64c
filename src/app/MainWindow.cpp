#include "MainWindow.h"

#include "AboutBox.h"
#include "ClipboardCommands.h"
#include "LoadProblemsText.h"
#include "FindBar.h"
#include "RecentFilesMenu.h"
#include "RomListView.h"
#include "SelectedRows.h"
#include "Startup.h"
#include "WindowLayout.h"
#include "editing/EditingCommands.h"
#include "editing/NewEntryCommands.h"
#include "editing/UndoMenu.h"
#include "inidb/FileSystem.h"
#include "inidb/IniReader.h"
#include "reports/FunctionCommands.h"
#include "reports/Printing.h"
#include "settings/OptionsDialog.h"
#include "ui/FileText.h"
#include "ui/ImagelistSmall.h"
#include "ui/UserInterface.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

const FileFilter IniFileFilter{QStringLiteral("Velmoran.ini"), QStringLiteral("velmoran.ini")};
// The question for the file to edit says which file it wants.
const FileFilter IniOpenFilter{IniFileFilter.description, IniFileFilter.pattern,
                               QStringLiteral("Choose your velmoran.ini")};
// How long the status bar says what a command wrote before the row count comes back.
constexpr int WrittenMessageMs = 6000;

// Client area of the window at design, below the menu bar.
constexpr int DesignClientWidth = 692;
constexpr int DesignClientHeight = 486;
// Per column, the longest text it usually shows; empty where the design width serves.
const std::array<QString, RomListModel::ColumnCount> UsualWidestText{
    QString(), QStringLiteral("DDDDDDDD-DDDDDDDD-C:DD"), QStringLiteral("U (Australia)"),
    QStringLiteral("6 (Diddy Kong Racing)"), QStringLiteral("Almost Playable"), QString(), QString()};
constexpr int ColumnPadding = 16;

QMenu *topMenu(QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

// The file an ini drop brings: exactly one local file whose name ends in .ini.
std::optional<std::string> droppedIniFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return std::nullopt;
    const QUrl url = mime->urls().constFirst();
    if (!url.isLocalFile() || !url.toLocalFile().endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive))
        return std::nullopt;
    return toPath(url.toLocalFile());
}

void separator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

// A button shows what it does and the key that does it too.
void setTipWithKeys(QAction *action, const QString &tip)
{
    const QKeySequence key = action->shortcut();
    action->setToolTip(key.isEmpty() ? tip : QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText)));
}

} // namespace

MainWindow::MainWindow(IniDocument &doc, UserInterface &ui, RegistryStore &store, QWidget *parent)
    : QMainWindow(parent),
      m_doc(doc),
      m_ui(ui),
      m_store(store),
      m_resolver(store, doc, ui,
                 [this]() -> std::optional<std::string> {
                     const auto chosen = m_ui.chooseFileToOpen(this, IniOpenFilter);
                     if (!chosen)
                         return std::nullopt;
                     return toPath(*chosen);
                 }),
      m_session(doc),
      m_model(doc),
      m_proxy(m_model),
      m_settings(store),
      m_merge(*this, ui, doc, m_session, DefaultFileSystem()),
      m_diskGuard(*this, ui, DefaultFileSystem(), m_merge, m_session.history())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(DesignCaption));
    setWindowIcon(QIcon(QStringLiteral(":/tamsic/logo.svg")));
    m_model.follow(m_session);
    buildActions();
    buildMenus();
    buildToolBar();
    buildList();

    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName(QStringLiteral("stbMainPanel1"));
    statusBar()->setObjectName(QStringLiteral("stbMain"));
    statusBar()->addWidget(m_statusPanel, 1);

    const int menuHeight = menuBar()->sizeHint().height();
    resize(DesignClientWidth, DesignClientHeight + menuHeight);
    if (!WindowLayout::restore(m_settings, *this, *m_lvwMain->header(), m_proxy))
        fitColumnsOnScreen();
    setAcceptDrops(true);
    connect(&m_session, &DocumentSession::unsavedChanged, this, &MainWindow::updateCaption);
    connect(&m_session, &DocumentSession::pathChanged, this, &MainWindow::updateCaption);
    // An undone removal shows where the entries came back.
    connect(&m_session, &DocumentSession::entriesRestored, this,
            [this](const std::vector<std::size_t> &entries) { selectEntries(entries); });
}

MainWindow::~MainWindow()
{
    // The members go before the child widgets do, and focus moving among the dying
    // children must not reach them.
    disconnect(m_findBar, nullptr, this, nullptr);
}

template <typename Slot>
QAction *MainWindow::command(const QString &name, const QString &caption, Slot slot, const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, slot);
    // Shortcuts work wherever the keys are in the window, menus open or not.
    addAction(action);
    return action;
}

void MainWindow::buildActions()
{
    m_actOpen = command(QStringLiteral("mnuOpen"), QStringLiteral("&Open..."), &MainWindow::openCommand,
                        QKeySequence(Qt::CTRL | Qt::Key_O));
    m_actSave = command(QStringLiteral("mnuSave"), QStringLiteral("&Save"), &MainWindow::saveCommand,
                        QKeySequence(Qt::CTRL | Qt::Key_S));
    m_actSaveAs = command(QStringLiteral("mnuSaveAs"), QStringLiteral("S&ave As..."), &MainWindow::saveAsCommand,
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_actMerge = command(QStringLiteral("mnuMerge"), QStringLiteral("&Merge Another ini File..."),
                         [this] { m_merge.mergeAnotherFile(); });
    m_actOptions = command(QStringLiteral("mnuOptions"), QStringLiteral("Op&tions"), &MainWindow::optionsCommand);
    m_actExit = command(QStringLiteral("mnuExit"), QStringLiteral("E&xit"), &MainWindow::exitCommand,
                        QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_actFind = command(QStringLiteral("mnuFind"), QStringLiteral("&Find"), &MainWindow::findCommand,
                        QKeySequence(Qt::CTRL | Qt::Key_F));
    // The find box takes Ctrl+A for its own text while it has the focus.
    m_actSelectAll = command(QStringLiteral("mnuSelectAll"), QStringLiteral("Select &All"),
                             &MainWindow::selectAllCommand, QKeySequence(QKeySequence::SelectAll));
    setTipWithKeys(m_actSelectAll, QStringLiteral("Select every row the list shows"));
    m_actRemove = command(QStringLiteral("mnuRemoveEntry"), QStringLiteral("&Remove ROM Entry"),
                          &MainWindow::removeRomEntryCommand, QKeySequence(Qt::Key_Delete));
    m_actProperties = command(QStringLiteral("mnuProperties"), QStringLiteral("View ROM &Properties"),
                              &MainWindow::viewRomPropertiesCommand, QKeySequence(Qt::Key_Return));
    m_actProperties->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    m_actAdd = command(QStringLiteral("mnuAddEntry"), QStringLiteral("&Add ROM Entry..."),
                       &MainWindow::addRomEntryCommand, QKeySequence(Qt::Key_Insert));
    m_actDuplicate = command(QStringLiteral("mnuDuplicateEntry"), QStringLiteral("&Duplicate ROM Entry"),
                             &MainWindow::duplicateRomEntryCommand);
    // A focused text box keeps these keys for its own text: it claims the platform's
    // copy and paste keys before a window shortcut sees them.
    m_actCopy = command(QStringLiteral("mnuCopy"), QStringLiteral("&Copy"), &MainWindow::copyCommand,
                        QKeySequence::Copy);
    m_actPaste = command(QStringLiteral("mnuPaste"), QStringLiteral("Pa&ste"), &MainWindow::pasteCommand,
                         QKeySequence::Paste);
    m_actCrcUcase = command(QStringLiteral("mnuCrcUcase"), QStringLiteral("crc -> &CRC"),
                            &MainWindow::crcToUpperCaseCommand);
    m_actMakeCompat = command(QStringLiteral("mnuMakeCompat"), QStringLiteral("Make Compatibility &List"),
                              &MainWindow::makeCompatListCommand);
    m_actBackup = command(QStringLiteral("mnuBackupini"), QStringLiteral("&Backup Current ini File"),
                          &MainWindow::backupIniFileCommand);
    m_actAbout = command(QStringLiteral("mnuAbout"), QStringLiteral("&About"), &MainWindow::aboutCommand);

    m_actUndo = m_session.history().createUndoAction(this, QStringLiteral("&Undo"));
    m_actUndo->setObjectName(QStringLiteral("mnuUndoStep"));
    m_actUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_actUndo->setIcon(ImagelistSmall::icon(QStringLiteral("Undo")));
    m_actRedo = m_session.history().createRedoAction(this, QStringLiteral("&Redo"));
    m_actRedo->setObjectName(QStringLiteral("mnuRedoStep"));
    m_actRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addActions({m_actUndo, m_actRedo});

    const std::pair<QAction *, const char *> buttons[] = {
        {m_actOpen, "Open"},         {m_actSave, "Save"},
        {m_actOptions, "Options"},   {m_actProperties, "Properties"},
        {m_actRemove, "Remove ROM Entry"}, {m_actExit, "Exit"}};
    for (const auto &[action, key] : buttons) {
        action->setIcon(ImagelistSmall::icon(QLatin1String(key)));
        setTipWithKeys(action, QLatin1String(key));
    }
    const std::pair<QAction *, const char *> tips[] = {
        {m_actAdd, "Add a ROM at the end of the list"},
        {m_actDuplicate, "Copy the selected ROM's settings to a new ROM"},
        {m_actCopy, "Copy the selected ROMs' settings as text, as the ini file holds them"},
        {m_actPaste, "Add or replace ROMs from settings copied as text"}};
    for (const auto &[action, tip] : tips)
        setTipWithKeys(action, QLatin1String(tip));
    // The step's name is the tip; the keys go with it.
    for (QAction *step : {m_actUndo, m_actRedo})
        connect(step, &QAction::changed, this, [step] {
            const QString tip = step->text().remove(QLatin1Char('&'));
            if (!step->toolTip().startsWith(tip))
                setTipWithKeys(step, tip);
        });
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = topMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    file->addAction(m_actOpen);
    QMenu *recent = file->addMenu(QStringLiteral("&Recent Files"));
    recent->setObjectName(QStringLiteral("mnuRecent"));
    m_recentMenu = new RecentFilesMenu(*recent, m_settings, this);
    connect(m_recentMenu, &RecentFilesMenu::fileChosen, this, &MainWindow::openRecentFile);
    file->addAction(m_actMerge);
    file->addAction(m_actSave);
    file->addAction(m_actSaveAs);
    separator(file, QStringLiteral("mnuDiv2"));
    file->addAction(m_actOptions);
    separator(file, QStringLiteral("mnuDiv1"));
    file->addAction(m_actExit);

    QMenu *edit = topMenu(bar, QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    edit->addAction(m_actUndo);
    edit->addAction(m_actRedo);
    separator(edit, QStringLiteral("mnuEditDiv1"));
    edit->addAction(m_actCopy);
    edit->addAction(m_actPaste);
    edit->addAction(m_actSelectAll);
    separator(edit, QStringLiteral("mnuEditDiv2"));
    // The removed ROMs, each to be restored; the tool bar's Undo button offers it too.
    m_mnuUndo = edit->addMenu(QStringLiteral("Removed R&OMs"));
    m_mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    // Owned by the window; it follows the session on its own.
    new UndoMenu(*m_mnuUndo, m_session, this);

    QMenu *functions = topMenu(bar, QStringLiteral("mnuFunctions"), QStringLiteral("F&unctions"));
    functions->addAction(m_actFind);
    separator(functions, QStringLiteral("mnuFunctionsDiv3"));
    functions->addAction(m_actAdd);
    functions->addAction(m_actDuplicate);
    functions->addAction(m_actRemove);
    functions->addAction(m_actProperties);
    separator(functions, QStringLiteral("mnuFunctionsDiv2"));
    functions->addAction(m_actCrcUcase);
    separator(functions, QStringLiteral("mnuFunctionsDiv1"));
    functions->addAction(m_actMakeCompat);
    functions->addAction(m_actBackup);

    QMenu *help = topMenu(bar, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    help->addAction(m_actAbout);

    m_mnulvwpopup = new QMenu(QStringLiteral("lvwPopup"), this);
    m_mnulvwpopup->setObjectName(QStringLiteral("mnulvwpopup"));
    m_mnulvwpopup->addAction(m_actProperties);
    separator(m_mnulvwpopup, QStringLiteral("mnuDiv4"));
    m_mnulvwpopup->addAction(m_actAdd);
    m_mnulvwpopup->addAction(m_actDuplicate);
    m_mnulvwpopup->addAction(m_actCopy);
    m_mnulvwpopup->addAction(m_actPaste);
    m_mnulvwpopup->addAction(m_actRemove);
}

void MainWindow::buildToolBar()
{
    m_tlbMain = addToolBar(QStringLiteral("tlbMain"));
    m_tlbMain->setObjectName(QStringLiteral("tlbMain"));
    m_tlbMain->setMovable(false);
    m_tlbMain->setFloatable(false);
    m_tlbMain->setIconSize(QSize(ImagelistSmall::PictureSize, ImagelistSmall::PictureSize));
    m_tlbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_tlbMain->toggleViewAction()->setVisible(false);
    m_tlbMain->addAction(m_actOpen);
    m_tlbMain->addAction(m_actSave);
    m_tlbMain->addSeparator();
    // A click undoes the last step; its arrow opens the menu of removed ROMs.
    m_tlbMain->addAction(m_actUndo);
    if (auto *undo = qobject_cast<QToolButton *>(m_tlbMain->widgetForAction(m_actUndo))) {
        undo->setObjectName(QStringLiteral("tlbUndo"));
        undo->setMenu(m_mnuUndo);
        undo->setPopupMode(QToolButton::MenuButtonPopup);
    }
    m_tlbMain->addSeparator();
    m_tlbMain->addAction(m_actOptions);
    m_tlbMain->addAction(m_actProperties);
    m_tlbMain->addAction(m_actRemove);
    m_tlbMain->addSeparator();
    m_tlbMain->addAction(m_actExit);
}

void MainWindow::buildList()
{
    m_lvwMain = new RomListView(this);
    m_lvwMain->setModel(&m_proxy);
    m_lvwMain->header()->setStretchLastSection(true);
    // The design widths were drawn for a smaller font: a column whose usual text would
    // be cut short (a whole CRC, a UCode name, a comment) gets the room it needs.
    const QFontMetrics metrics(m_lvwMain->font());
    for (int column = 0; column < RomListModel::ColumnCount; ++column) {
        const auto which = static_cast<RomListModel::Column>(column);
        const QString usual = UsualWidestText[static_cast<std::size_t>(column)];
        const int needed = usual.isEmpty() ? 0 : metrics.horizontalAdvance(usual) + ColumnPadding;
        m_lvwMain->header()->resizeSection(column, std::max(RomListModel::designWidth(which), needed));
    }
    m_findBar = new FindBar(this);
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_findBar);
    column->addWidget(m_lvwMain);
    setCentralWidget(central);

    connect(m_findBar, &FindBar::findTextChanged, &m_proxy, &RomSortFilterProxy::setFindText);
    connect(m_findBar, &FindBar::focused, this, [this] { m_model.findText(); });
    // Down goes on to the rows found, the first one selected.
    connect(m_findBar, &FindBar::downToList, this, [this] {
        m_lvwMain->setFocus(Qt::TabFocusReason);
        if (!m_lvwMain->selectionModel()->hasSelection() && m_proxy.rowCount() > 0)
            m_lvwMain->selectionModel()->setCurrentIndex(
                m_proxy.index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
    // Esc in the list shows every row again.
    auto *showAll = new QAction(m_lvwMain);
    showAll->setObjectName(QStringLiteral("lvwShowAll"));
    showAll->setShortcut(QKeySequence(Qt::Key_Escape));
    showAll->setShortcutContext(Qt::WidgetShortcut);
    connect(showAll, &QAction::triggered, this, [this] { findBox().clear(); });
    m_lvwMain->addAction(showAll);

    connect(m_lvwMain->header(), &QHeaderView::sectionClicked, &m_proxy, &RomSortFilterProxy::headerClicked);
    connect(m_lvwMain, &RomListView::rowMenuRequested, m_mnulvwpopup,
            [this](const QPoint &position) { m_mnulvwpopup->popup(position); });
    connect(m_lvwMain, &RomListView::rowDoubleClicked, this,
            [this](const QModelIndex &index) { showProperties(m_proxy.entryIndex(index)); });
    connect(&m_model, &QAbstractItemModel::modelReset, this, &MainWindow::updateRowCount);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &MainWindow::updateRowCount);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, &MainWindow::updateRowCount);
    connect(m_lvwMain->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::updateRowCommands);
    // Rows the find text hides leave the selection without a word from it.
    connect(&m_proxy, &QAbstractItemModel::layoutChanged, this, &MainWindow::updateRowCommands);
    // A rebuilt list selects the same entries again.
    connect(&m_proxy, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_kept.keep(selectedEntries(), currentEntry()); });
    connect(&m_proxy, &QAbstractItemModel::modelReset, this, &MainWindow::selectKeptEntries);
    updateRowCommands();
    // Finding and selecting change what is shown, not what is loaded: before a load the
    // bar stays empty.
    const auto updateShownCount = [this] {
        if (m_doc.LoadGeneration > 0)
            updateRowCount();
    };
    connect(&m_proxy, &QAbstractItemModel::layoutChanged, this, updateShownCount);
    connect(m_lvwMain->selectionModel(), &QItemSelectionModel::selectionChanged, this, updateShownCount);
}

QLineEdit &MainWindow::findBox()
{
    return m_findBar->box();
}

void MainWindow::fitColumnsOnScreen()
{
    const QHeaderView *header = m_lvwMain->header();
    int needed = 2 * m_lvwMain->frameWidth() + m_lvwMain->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < header->count(); ++column)
        needed += header->sectionSize(column);
    if (const QScreen *shown = screen())
        needed = std::min(needed, shown->availableGeometry().width());
    resize(std::max(needed, width()), height());
}

void MainWindow::updateRowCount()
{
    const int all = m_model.rowCount();
    const std::size_t selected = selectedRows().count();
    if (selected > 1 && m_proxy.filtering())
        m_statusPanel->setText(QStringLiteral("%1 of %2 found ROM Details selected (%3 in all)")
                                   .arg(selected)
                                   .arg(m_proxy.rowCount())
                                   .arg(all));
    else if (selected > 1)
        m_statusPanel->setText(QStringLiteral("%1 of %2 ROM Details selected").arg(selected).arg(all));
    else if (m_proxy.filtering())
        m_statusPanel->setText(QStringLiteral("%1 of %2 ROM Details").arg(m_proxy.rowCount()).arg(all));
    else
        m_statusPanel->setText(QStringLiteral("%1 ROM Details").arg(all));
}

void MainWindow::showWritten(const QString &what, const QString &path)
{
    statusBar()->showMessage(QStringLiteral("%1 written to %2").arg(what, path), WrittenMessageMs);
}

void MainWindow::openRecentFile(const std::string &path)
{
    if (!IniFileExists(path)) {
        m_ui.showError(this, QStringLiteral("Error"),
                       QStringLiteral("%1 no longer exists, so it was taken off the Recent Files list.")
                           .arg(fromPath(path)));
        m_recentMenu->forget(path);
        return;
    }
    openIniFile(path);
}

SelectedRows MainWindow::selectedRows() const
{
    return SelectedRows(m_lvwMain->selectionModel()->selection());
}

std::vector<std::size_t> MainWindow::selectedEntries() const
{
    std::vector<std::size_t> entries;
    const std::vector<int> rows = selectedRows().rows();
    entries.reserve(rows.size());
    for (const int row : rows)
        entries.push_back(m_proxy.entryIndex(row));
    return entries;
}

std::optional<std::size_t> MainWindow::selectedEntry() const
{
    const SelectedRows rows = selectedRows();
    if (rows.count() != 1)
        return std::nullopt;
    return m_proxy.entryIndex(rows.first());
}

std::optional<std::size_t> MainWindow::currentEntry() const
{
    const QModelIndex current = m_lvwMain->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return m_proxy.entryIndex(current);
}

void MainWindow::selectCurrentRow()
{
    // The list draws its current row like a chosen one, so it must be the selected one;
    // a fresh list starts on its first row.
    QModelIndex current = m_lvwMain->currentIndex();
    if (!current.isValid())
        current = m_proxy.index(0, 0);
    if (current.isValid())
        m_lvwMain->selectionModel()->setCurrentIndex(
            current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    updateRowCommands();
}

void MainWindow::selectEntries(const std::vector<std::size_t> &entryIndexes, std::optional<std::size_t> current)
{
    const std::vector<int> rows = m_proxy.rowsOf(entryIndexes);
    if (rows.empty()) {
        selectCurrentRow();
        return;
    }
    const std::optional<int> currentRow = current ? m_proxy.rowOf(*current) : std::nullopt;
    const QModelIndex shownCurrent = m_proxy.index(currentRow.value_or(rows.front()), 0);
    QItemSelectionModel &selection = *m_lvwMain->selectionModel();
    // Cleared first: putting one selection of many ranges in place of another compares
    // every range of the one with every range of the other.
    selection.clearSelection();
    selection.setCurrentIndex(shownCurrent, QItemSelectionModel::NoUpdate);
    selection.select(SelectedRows::of(m_proxy, rows), QItemSelectionModel::Select);
    m_lvwMain->scrollTo(shownCurrent);
    updateRowCommands();
}

void MainWindow::showAndSelect(const std::vector<std::size_t> &entryIndexes)
{
    if (entryIndexes.empty())
        return;
    const auto hidden = [this](std::size_t entry) { return !m_proxy.rowOf(entry); };
    if (m_proxy.filtering() && std::any_of(entryIndexes.begin(), entryIndexes.end(), hidden))
        findBox().clear();
    selectEntries(entryIndexes);
}

void MainWindow::keepSelectionByName()
{
    m_kept.keep(selectedEntries(), currentEntry());
    m_kept.keepNames(m_doc);
}

void MainWindow::selectKeptEntries()
{
    m_lvwMain->setCurrentIndex({});
    const KeptSelection::Found found = m_kept.find(m_doc);
    selectEntries(found.entries, found.current);
}

void MainWindow::updateRowCommands()
{
    const bool anySelected = selectedRows().count() > 0;
    m_actProperties->setEnabled(anySelected);
    m_actRemove->setEnabled(anySelected);
    m_actCopy->setEnabled(anySelected);
    m_actDuplicate->setEnabled(selectedEntry().has_value());
}

void MainWindow::updateCaption()
{
    const QString caption = m_doc.LoadGeneration == 0 ? QString::fromLatin1(DesignCaption)
                                                      : fromPath(LoadedCaption(m_doc.IniPath));
    setWindowTitle(m_session.unsaved() ? QLatin1Char('*') + caption : caption);
}

void MainWindow::FillRomList()
{
    m_model.reset();
}

bool MainWindow::reportLoad(const LoadResult &result)
{
    if (!result.status.ok()) {
        m_ui.showError(this, QStringLiteral("Error"), IoErrorText(result.status));
        return false;
    }
    m_recentMenu->opened(m_doc.IniPath);
    const std::vector<LoadProblem> unshown = m_shownProblems.takeUnshown(result.problems);
    if (!unshown.empty())
        m_ui.showError(this, QStringLiteral("Error"), LoadProblemsText(m_doc.IniPath, m_doc.Encoding, unshown));
    return true;
}

bool MainWindow::loadIniFile()
{
    LoadResult result;
    {
        const BusyCursor busy(m_ui);
        keepSelectionByName();
        result = m_session.load(DefaultFileSystem());
        m_kept.forgetNames();
    }
    if (result.status.ok()) {
        m_diskGuard.remember(m_doc.IniPath, result.snapshot, m_doc);
        // Another file, or the same one read afresh: its problems are told again.
        m_shownProblems.clear();
    }
    return reportLoad(result);
}

void MainWindow::openCommand()
{
    openIniFile({});
}

bool MainWindow::askToSaveChanges()
{
    if (!m_session.unsaved())
        return true;
    switch (m_ui.askYesNoCancel(this, QStringLiteral("Save?"),
                                QStringLiteral("Save changes to %1?").arg(fromPath(m_doc.IniPath)),
                                UserInterface::Icon::Question)) {
    case UserInterface::Answer::Yes:
        return saveTo(m_doc.IniPath);
    case UserInterface::Answer::No:
        return true;
    case UserInterface::Answer::Cancel:
        break;
    }
    return false;
}

void MainWindow::openIniFile(const std::string &path)
{
    if (!askToSaveChanges())
        return;
    const std::string previous = m_doc.IniPath;
    if (!m_resolver.ResolveIniPath(path))
        return;
    // The document that was open stays, and so does the path it belongs to.
    if (!loadIniFile() && !previous.empty() && previous != m_doc.IniPath)
        m_resolver.ResolveIniPath(previous);
}

bool MainWindow::saveTo(const std::string &path)
{
    if (!m_diskGuard.allowsWriting(path))
        return false;
    DocumentSaveResult result;
    {
        const BusyCursor busy(m_ui);
        keepSelectionByName();
        result = m_session.save(path, m_proxy.displayedOrder(), DefaultFileSystem());
        m_kept.forgetNames();
    }
    if (!result.status.ok()) {
        m_ui.showError(this, QStringLiteral("Error"), IoErrorText(result.status));
        return false;
    }
    m_diskGuard.remember(path, result.written, m_doc);
    // The file written is the one to open next time.
    m_resolver.ResolveIniPath(path);
    updateCaption();
    showWritten(QStringLiteral("ini file"), fromPath(path));
    reportLoad(result.readBack);
    return true;
}

void MainWindow::saveCommand()
{
    // Nothing was ever loaded: there is no file of ours to write over, so ask where.
    if (m_doc.LoadGeneration == 0) {
        saveAsCommand();
        return;
    }
    saveTo(m_doc.IniPath);
}

void MainWindow::saveAsCommand()
{
    const auto chosen = m_ui.chooseFileToSave(this, IniFileFilter);
    if (chosen)
        saveTo(toPath(*chosen));
}

void MainWindow::optionsCommand()
{
    OptionsDialog dialog(m_store, m_doc, this);
    dialog.exec();
}

void MainWindow::exitCommand()
{
    close();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Back from another program, which may have changed the file: looked at once the
    // activation is over, so a question shown then does not interrupt it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QMetaObject::invokeMethod(this, [this] {
            if (m_diskGuard.wantsReload(m_session.unsaved()))
                loadIniFile();
        }, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    WindowLayout::save(m_settings, *this, *m_lvwMain->header(), m_proxy);
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedIniFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const auto path = droppedIniFile(event->mimeData());
    if (!path)
        return;
    event->acceptProposedAction();
    // Questions and messages come after the drop has finished, not inside it.
    QMetaObject::invokeMethod(this, [this, dropped = *path] { openIniFile(dropped); }, Qt::QueuedConnection);
}

std::function<void(QWidget &dialog)> MainWindow::propertiesPrinter()
{
    return [this](QWidget &dialog) { PrintRomProperties(dialog, m_doc, m_ui); };
}

void MainWindow::showProperties(std::size_t entryIndex)
{
    if (const auto edited = ShowRomProperties(this, m_doc, entryIndex, m_ui, propertiesPrinter()))
        m_session.editEntry(entryIndex, edited->values);
}

void MainWindow::showManyProperties(const std::vector<std::size_t> &entryIndexes)
{
    if (const auto edited = ShowManyRomProperties(this, m_doc, entryIndexes, m_ui))
        m_session.editEntries(std::move(edited->values));
}

void MainWindow::viewRomPropertiesCommand()
{
    const std::vector<std::size_t> entries = selectedEntries();
    if (entries.size() == 1)
        showProperties(entries.front());
    else if (entries.size() > 1)
        showManyProperties(entries);
}

void MainWindow::removeRomEntryCommand()
{
    const int firstRow = selectedRows().first();
    const std::vector<std::size_t> entries = selectedEntries();
    if (entries.empty() || !ConfirmRemoval(this, m_doc, entries, m_ui))
        return;
    m_session.removeEntries(entries);
    // The list goes on from the row that took the place of the first one removed.
    const int next = std::min(firstRow, m_proxy.rowCount() - 1);
    m_lvwMain->selectionModel()->setCurrentIndex(m_proxy.index(next, 0), QItemSelectionModel::NoUpdate);
    selectCurrentRow();
}

void MainWindow::addRomEntryCommand()
{
    if (const auto added = AddRomEntry(this, m_session, m_ui, propertiesPrinter()))
        showAndSelect({*added});
}

void MainWindow::duplicateRomEntryCommand()
{
    const std::optional<std::size_t> selected = selectedEntry();
    if (!selected)
        return;
    if (const auto added = DuplicateRomEntry(this, m_session, *selected, m_ui))
        showAndSelect({*added});
}

void MainWindow::copyCommand()
{
    const std::vector<std::size_t> selected = selectedEntries();
    if (!selected.empty())
        CopyEntries(m_doc, selected);
}

void MainWindow::pasteCommand()
{
    showAndSelect(PasteEntries(this, m_session, m_ui));
}

void MainWindow::crcToUpperCaseCommand()
{
    if (ConfirmCrcConversion(this, m_ui))
        m_session.upperCaseCrcs();
}

void MainWindow::makeCompatListCommand()
{
    if (const auto written = MakeCompatList(this, m_doc, m_ui))
        showWritten(QStringLiteral("Compatibility list"), *written);
}

void MainWindow::backupIniFileCommand()
{
    if (const auto written = BackupIniFile(this, m_doc, m_ui))
        showWritten(QStringLiteral("Backup"), *written);
}

void MainWindow::aboutCommand()
{
    AboutBox about(this);
    about.exec();
}

void MainWindow::findCommand()
{
    m_findBar->takeFocus();
}

void MainWindow::selectAllCommand()
{
    m_lvwMain->selectAll();
}
