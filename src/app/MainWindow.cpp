#include "MainWindow.h"

#include "AboutBox.h"
#include "LoadProblemsText.h"
#include "RomListView.h"
#include "Startup.h"
#include "WindowLayout.h"
#include "editing/EditingCommands.h"
#include "editing/UndoMenu.h"
#include "inidb/FileSystem.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
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
#include <QHBoxLayout>
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

template <typename Receiver, typename Slot>
QAction *menuItem(QMenu *menu, const QString &name, const QString &caption, Receiver *receiver,
                  Slot slot)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(name);
    QObject::connect(item, &QAction::triggered, receiver, slot);
    return item;
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

QString errorText(const IoStatus &status)
{
    return QStringLiteral("Error %1: %2").arg(status.number).arg(fromPath(status.description));
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
      m_model(doc),
      m_proxy(m_model),
      m_recentFiles(store),
      m_diskGuard(*this, ui, DefaultFileSystem())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(DesignCaption));
    setWindowIcon(QIcon(QStringLiteral(":/tamsic/logo.svg")));
    buildMenus();
    buildToolBar();
    buildList();

    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName(QStringLiteral("stbMainPanel1"));
    statusBar()->setObjectName(QStringLiteral("stbMain"));
    statusBar()->addWidget(m_statusPanel, 1);

    const int menuHeight = menuBar()->sizeHint().height();
    resize(DesignClientWidth, DesignClientHeight + menuHeight);
    if (!WindowLayout::restore(m_store, *this, *m_lvwMain->header(), m_proxy))
        fitColumnsOnScreen();
    rebuildRecentMenu();
    setAcceptDrops(true);
}

MainWindow::~MainWindow()
{
    // The members go before the child widgets do, and focus moving among the dying
    // children must not reach them.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = topMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    menuItem(file, QStringLiteral("mnuOpen"), QStringLiteral("&Open..."), this, &MainWindow::openCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_mnuRecent = file->addMenu(QStringLiteral("&Recent Files"));
    m_mnuRecent->setObjectName(QStringLiteral("mnuRecent"));
    menuItem(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"), this, &MainWindow::saveCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    menuItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("S&ave As..."), this, &MainWindow::saveAsCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    separator(file, QStringLiteral("mnuDiv2"));
    menuItem(file, QStringLiteral("mnuOptions"), QStringLiteral("Options"), this, &MainWindow::optionsCommand);
    separator(file, QStringLiteral("mnuDiv1"));
    menuItem(file, QStringLiteral("mnuExit"), QStringLiteral("E&xit"), this, &MainWindow::exitCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Edit and the list's menu are never in the menu bar; they only pop up.
    auto *edit = new QMenu(QStringLiteral("Edit"), this);
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m_mnuUndo = edit->addMenu(QStringLiteral("Undo"));
    m_mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    m_undoMenu = new UndoMenu(*m_mnuUndo, m_doc, this);
    connect(m_undoMenu, &UndoMenu::entryRestored, this, [this](std::size_t entryIndex) {
        m_model.entryRestored(entryIndex);
        setUnsavedChanges(true);
    });
    // Ctrl+Z works from anywhere in the window; the Undo menu shows it on the entry it takes back.
    auto *undoLast = new QAction(this);
    undoLast->setObjectName(QStringLiteral("undoLastRemoval"));
    undoLast->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undoLast, &QAction::triggered, this, &MainWindow::undoLastRemovalCommand);
    addAction(undoLast);

    QMenu *functions = topMenu(bar, QStringLiteral("mnuFunctions"), QStringLiteral("&Functions"));
    menuItem(functions, QStringLiteral("mnuFind"), QStringLiteral("Find"), this, &MainWindow::findCommand)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    separator(functions, QStringLiteral("mnuFunctionsDiv3"));
    QAction *remove = menuItem(functions, QStringLiteral("mnuRemoveEntry"), QStringLiteral("Remove ROM Entry"),
                               this, &MainWindow::removeRomEntryCommand);
    remove->setShortcut(QKeySequence(Qt::Key_Delete));
    m_rowCommands.push_back(remove);
    QAction *properties = menuItem(functions, QStringLiteral("mnuProperties"),
                                   QStringLiteral("View ROM Properties"), this,
                                   &MainWindow::viewRomPropertiesCommand);
    properties->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    m_rowCommands.push_back(properties);
    separator(functions, QStringLiteral("mnuFunctionsDiv2"));
    menuItem(functions, QStringLiteral("mnuCrcUcase"), QStringLiteral("crc -> CRC"), this,
             &MainWindow::crcToUpperCaseCommand);
    separator(functions, QStringLiteral("mnuFunctionsDiv1"));
    menuItem(functions, QStringLiteral("mnuMakeCompat"), QStringLiteral("Make Compatibility List"), this,
             &MainWindow::makeCompatListCommand);
    menuItem(functions, QStringLiteral("mnuBackupini"), QStringLiteral("Backup Current ini File"), this,
             &MainWindow::backupIniFileCommand);

    QMenu *help = topMenu(bar, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    menuItem(help, QStringLiteral("mnuAbout"), QStringLiteral("&About"), this, &MainWindow::aboutCommand);

    m_mnulvwpopup = new QMenu(QStringLiteral("lvwPopup"), this);
    m_mnulvwpopup->setObjectName(QStringLiteral("mnulvwpopup"));
    m_rowCommands.push_back(menuItem(m_mnulvwpopup, QStringLiteral("mnuPopupProperties"),
                                     QStringLiteral("Properties"), this,
                                     &MainWindow::viewRomPropertiesCommand));
    separator(m_mnulvwpopup, QStringLiteral("mnuDiv4"));
    m_rowCommands.push_back(menuItem(m_mnulvwpopup, QStringLiteral("mnuRemoveEntryPopup"),
                                     QStringLiteral("Remove Entry"), this,
                                     &MainWindow::removeRomEntryCommand));
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
    // An empty key stands for a separator.
    const QStringList buttons{QStringLiteral("Open"), QStringLiteral("Save"), QString(),
                              QStringLiteral("Undo"), QString(), QStringLiteral("Options"),
                              QStringLiteral("Properties"), QStringLiteral("Remove ROM Entry"),
                              QString(), QStringLiteral("Exit")};
    for (const QString &key : buttons) {
        if (key.isEmpty()) {
            m_tlbMain->addSeparator();
            continue;
        }
        QAction *button = m_tlbMain->addAction(ImagelistSmall::icon(key), key);
        button->setToolTip(key);
        if (key == QStringLiteral("Properties") || key == QStringLiteral("Remove ROM Entry"))
            m_rowCommands.push_back(button);
    }
    connect(m_tlbMain, &QToolBar::actionTriggered, this,
            [this](QAction *button) { tlbMain_ButtonClick(button->toolTip()); });
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
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildFindBox());
    column->addWidget(m_lvwMain);
    setCentralWidget(central);

    connect(m_lvwMain->header(), &QHeaderView::sectionClicked, &m_proxy, &RomSortProxy::headerClicked);
    connect(m_lvwMain, &RomListView::rowMenuRequested, m_mnulvwpopup,
            [this](const QPoint &position) { m_mnulvwpopup->popup(position); });
    connect(m_lvwMain, &RomListView::rowDoubleClicked, this,
            [this](const QModelIndex &index) { showProperties(m_proxy.entryIndex(index)); });
    connect(&m_model, &QAbstractItemModel::modelReset, this, &MainWindow::updateRowCount);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &MainWindow::updateRowCount);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, &MainWindow::updateRowCount);
    connect(m_lvwMain->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::updateRowCommands);
    updateRowCommands();
    // Finding changes what is shown, not what is loaded: before a load the bar stays empty.
    connect(&m_proxy, &QAbstractItemModel::layoutChanged, this, [this] {
        if (m_doc.LoadGeneration > 0)
            updateRowCount();
    });
}

QWidget *MainWindow::buildFindBox()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 2, 4, 2);
    auto *label = new QLabel(QStringLiteral("Find:"), row);
    m_txtFind = new QLineEdit(row);
    m_txtFind->setObjectName(QStringLiteral("txtFind"));
    m_txtFind->setPlaceholderText(QStringLiteral("Name, CRC, Comments or Info (Ctrl+F)"));
    m_txtFind->setClearButtonEnabled(true);
    // A file dropped here is meant for the window, not typed as text.
    m_txtFind->setAcceptDrops(false);
    label->setBuddy(m_txtFind);
    layout->addWidget(label);
    layout->addWidget(m_txtFind, 1);
    connect(m_txtFind, &QLineEdit::textChanged, &m_proxy, &RomSortProxy::setFindText);
    // The searched texts are worked out as the box gets the focus, while the user starts
    // to type, so the first letter is as quick as the others.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now == m_txtFind)
            m_model.findText();
    });

    auto *clear = new QAction(m_txtFind);
    clear->setShortcut(QKeySequence(Qt::Key_Escape));
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, m_txtFind, &QLineEdit::clear);
    m_txtFind->addAction(clear);
    // Down goes on to the rows found, the first one selected.
    auto *toList = new QAction(m_txtFind);
    toList->setShortcut(QKeySequence(Qt::Key_Down));
    toList->setShortcutContext(Qt::WidgetShortcut);
    connect(toList, &QAction::triggered, this, [this] {
        m_lvwMain->setFocus(Qt::TabFocusReason);
        if (m_lvwMain->selectionModel()->selectedRows().isEmpty() && m_proxy.rowCount() > 0)
            m_lvwMain->selectionModel()->setCurrentIndex(
                m_proxy.index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
    m_txtFind->addAction(toList);
    return row;
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
    m_statusPanel->setText(m_proxy.filtering()
                               ? QStringLiteral("%1 of %2 ROM Details").arg(m_proxy.rowCount()).arg(all)
                               : QStringLiteral("%1 ROM Details").arg(all));
}

void MainWindow::showWritten(const QString &what, const QString &path)
{
    statusBar()->showMessage(QStringLiteral("%1 written to %2").arg(what, path), WrittenMessageMs);
}

void MainWindow::rebuildRecentMenu()
{
    m_mnuRecent->clear();
    const std::vector<std::string> paths = m_recentFiles.read();
    for (std::size_t place = 0; place < paths.size(); ++place) {
        QString caption = fromPath(paths[place]);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = m_mnuRecent->addAction(QStringLiteral("&%1 %2").arg(place + 1).arg(caption));
        item->setObjectName(QStringLiteral("mnuRecentFile"));
        connect(item, &QAction::triggered, this, [this, path = paths[place]] { openRecentFile(path); });
    }
    m_mnuRecent->setEnabled(!paths.empty());
}

void MainWindow::openRecentFile(const std::string &path)
{
    if (!IniFileExists(path)) {
        m_ui.showError(this, QStringLiteral("Error"),
                       QStringLiteral("%1 no longer exists, so it was taken off the Recent Files list.")
                           .arg(fromPath(path)));
        m_recentFiles.remove(path);
        rebuildRecentMenu();
        return;
    }
    openIniFile(path);
}

std::optional<std::size_t> MainWindow::selectedEntry() const
{
    const QModelIndexList rows = m_lvwMain->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return m_proxy.entryIndex(rows.constFirst());
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

void MainWindow::updateRowCommands()
{
    const bool rowSelected = selectedEntry().has_value();
    for (QAction *command : m_rowCommands)
        command->setEnabled(rowSelected);
}

void MainWindow::setUnsavedChanges(bool unsaved)
{
    m_unsavedChanges = unsaved;
    updateCaption();
}

void MainWindow::updateCaption()
{
    const QString caption = m_doc.LoadGeneration == 0 ? QString::fromLatin1(DesignCaption)
                                                      : fromPath(LoadedCaption(m_doc.IniPath));
    setWindowTitle(m_unsavedChanges ? QLatin1Char('*') + caption : caption);
}

void MainWindow::FillRomList()
{
    m_model.reset();
    selectCurrentRow();
}

bool MainWindow::reportLoad(const LoadResult &result)
{
    if (!result.status.ok()) {
        m_ui.showError(this, QStringLiteral("Error"), errorText(result.status));
        return false;
    }
    setUnsavedChanges(false);
    m_undoMenu->documentReloaded();
    m_recentFiles.add(m_doc.IniPath);
    rebuildRecentMenu();
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
        result = LoadIniFile(m_doc);
        if (result.status.ok())
            FillRomList();
    }
    if (result.status.ok()) {
        m_diskGuard.remember(m_doc.IniPath, result.snapshot);
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
    if (!m_unsavedChanges)
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
    SaveResult result;
    {
        const BusyCursor busy(m_ui);
        result = SaveIniFile(m_doc, path, m_proxy.displayedOrder(), m_resolver);
        if (result.status.ok() && result.reload.status.ok())
            FillRomList();
    }
    if (!result.status.ok()) {
        m_ui.showError(this, QStringLiteral("Error"), errorText(result.status));
        return false;
    }
    m_diskGuard.remember(path, result.written);
    // Written is saved, even when the reload that follows fails.
    setUnsavedChanges(false);
    showWritten(QStringLiteral("ini file"), fromPath(path));
    reportLoad(result.reload);
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

bool MainWindow::confirmExit()
{
    const UserInterface::Answer answer =
        m_ui.askYesNoCancel(this, QStringLiteral("Save?"),
                            QStringLiteral("Do you wish to save any changes you have made?"),
                            UserInterface::Icon::Question);
    if (answer == UserInterface::Answer::Cancel)
        return false;
    // With nothing loaded nothing can have changed; a failed save keeps the window open.
    if (answer == UserInterface::Answer::No || m_doc.LoadGeneration == 0)
        return true;
    return saveTo(m_doc.IniPath);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Back from another program, which may have changed the file: looked at once the
    // activation is over, so a question shown then does not interrupt it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QMetaObject::invokeMethod(this, [this] {
            if (m_diskGuard.wantsReload(m_unsavedChanges))
                loadIniFile();
        }, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    WindowLayout::save(m_store, *this, *m_lvwMain->header(), m_proxy);
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

void MainWindow::showProperties(std::size_t entryIndex)
{
    const auto print = [this](QWidget &dialog) { PrintRomProperties(dialog, m_doc, m_ui); };
    if (entryIndex >= m_doc.EntryTable.size())
        return;
    const RomEntry before = m_doc.EntryTable[entryIndex];
    if (!ShowRomProperties(this, m_doc, entryIndex, m_ui, print))
        return;
    m_model.entryChanged(entryIndex);
    // OK without a change is no edit.
    if (m_doc.EntryTable[entryIndex] != before)
        setUnsavedChanges(true);
}

void MainWindow::viewRomPropertiesCommand()
{
    if (const auto entry = selectedEntry())
        showProperties(*entry);
}

void MainWindow::removeRomEntryCommand()
{
    const auto entry = selectedEntry();
    if (!entry || !RemoveRomEntry(this, m_doc, *entry, m_ui))
        return;
    m_model.entryRemoved(*entry);
    m_undoMenu->AddUndoRecords();
    setUnsavedChanges(true);
    selectCurrentRow();
}

void MainWindow::crcToUpperCaseCommand()
{
    if (!ConvertCrcsToUpperCase(this, m_doc, m_ui))
        return;
    FillRomList();
    setUnsavedChanges(true);
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

void MainWindow::popUpUndoMenu()
{
    QAction *undo = nullptr;
    for (QAction *button : m_tlbMain->actions())
        if (button->toolTip() == QStringLiteral("Undo"))
            undo = button;
    QWidget *button = undo ? m_tlbMain->widgetForAction(undo) : nullptr;
    if (!button)
        return;
    // Just below the square button, at its left edge.
    m_mnuUndo->popup(button->mapToGlobal(QPoint(0, button->width())));
}

void MainWindow::undoLastRemovalCommand()
{
    m_undoMenu->undoLastRemoval();
}

void MainWindow::findCommand()
{
    m_txtFind->setFocus(Qt::ShortcutFocusReason);
    m_txtFind->selectAll();
}

void MainWindow::tlbMain_ButtonClick(const QString &toolTip)
{
    if (toolTip == QStringLiteral("Save"))
        saveCommand();
    else if (toolTip == QStringLiteral("Open"))
        openCommand();
    else if (toolTip == QStringLiteral("Exit"))
        exitCommand();
    else if (toolTip == QStringLiteral("Undo"))
        popUpUndoMenu();
    else if (toolTip == QStringLiteral("Options"))
        optionsCommand();
    else if (toolTip == QStringLiteral("Properties"))
        viewRomPropertiesCommand();
    else if (toolTip == QStringLiteral("Remove ROM Entry"))
        removeRomEntryCommand();
}
