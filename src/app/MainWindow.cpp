#include "MainWindow.h"

#include "AboutBox.h"
#include "RomListView.h"
#include "editing/EditingCommands.h"
#include "editing/UndoMenu.h"
#include "inidb/IniReader.h"
#include "inidb/IniWriter.h"
#include "reports/FunctionCommands.h"
#include "reports/Printing.h"
#include "settings/OptionsDialog.h"
#include "ui/FileText.h"
#include "ui/ImagelistSmall.h"
#include "ui/UserInterface.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace {

const FileFilter IniFileFilter{QStringLiteral("Velmoran.ini"), QStringLiteral("velmoran.ini")};

// Client area of the window at design, below the menu bar.
constexpr int DesignClientWidth = 692;
constexpr int DesignClientHeight = 486;
// A load that could not read many lines names the first few; the count says the rest.
constexpr std::size_t ProblemsNamed = 5;
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

void separator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

QString errorText(const IoStatus &status)
{
    return QStringLiteral("Error %1: %2").arg(status.number).arg(fromPath(status.description));
}

QString problemsText(const std::string &path, TextEncoding encoding, const std::vector<LoadProblem> &problems)
{
    QString text = QStringLiteral("%1 line(s) of %2 could not be read as written:\n")
                       .arg(problems.size())
                       .arg(fromPath(path));
    const std::size_t named = std::min(problems.size(), ProblemsNamed);
    for (std::size_t i = 0; i < named; ++i) {
        const LoadProblem &problem = problems[i];
        text += QStringLiteral("\nLine %1: %2 (%3)")
                    .arg(problem.lineNumber)
                    .arg(fromFileText(encoding, problem.line), fromFileText(encoding, problem.whatWasUsed));
    }
    if (problems.size() > named)
        text += QStringLiteral("\n... and %1 more.").arg(problems.size() - named);
    return text;
}

} // namespace

MainWindow::MainWindow(IniDocument &doc, UserInterface &ui, RegistryStore &store, QWidget *parent)
    : QMainWindow(parent),
      m_doc(doc),
      m_ui(ui),
      m_store(store),
      m_resolver(store, doc, ui,
                 [this]() -> std::optional<std::string> {
                     const auto chosen = m_ui.chooseFileToOpen(this, IniFileFilter);
                     if (!chosen)
                         return std::nullopt;
                     return toPath(*chosen);
                 }),
      m_model(doc),
      m_proxy(m_model)
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
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *file = topMenu(bar, QStringLiteral("mnuFile"), QStringLiteral("&File"));
    menuItem(file, QStringLiteral("mnuOpen"), QStringLiteral("&Open..."), this, &MainWindow::openCommand);
    menuItem(file, QStringLiteral("mnuSave"), QStringLiteral("&Save"), this, &MainWindow::saveCommand);
    menuItem(file, QStringLiteral("mnuSaveAs"), QStringLiteral("S&ave As..."), this, &MainWindow::saveAsCommand);
    separator(file, QStringLiteral("mnuDiv2"));
    menuItem(file, QStringLiteral("mnuOptions"), QStringLiteral("Options"), this, &MainWindow::optionsCommand);
    separator(file, QStringLiteral("mnuDiv1"));
    menuItem(file, QStringLiteral("mnuExit"), QStringLiteral("E&xit"), this, &MainWindow::exitCommand);

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

    QMenu *functions = topMenu(bar, QStringLiteral("mnuFunctions"), QStringLiteral("&Functions"));
    m_rowCommands.push_back(menuItem(functions, QStringLiteral("mnuRemoveEntry"),
                                     QStringLiteral("Remove ROM Entry"), this,
                                     &MainWindow::removeRomEntryCommand));
    m_rowCommands.push_back(menuItem(functions, QStringLiteral("mnuProperties"),
                                     QStringLiteral("View ROM Properties"), this,
                                     &MainWindow::viewRomPropertiesCommand));
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
    setCentralWidget(m_lvwMain);

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
}

void MainWindow::updateRowCount()
{
    m_statusPanel->setText(QStringLiteral("%1 ROM Details").arg(m_model.rowCount()));
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
    const std::vector<LoadProblem> unshown = m_shownProblems.takeUnshown(result.problems);
    if (!unshown.empty())
        m_ui.showError(this, QStringLiteral("Error"), problemsText(m_doc.IniPath, m_doc.Encoding, unshown));
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
    // Another file, or the same one read afresh: its problems are told again.
    if (result.status.ok())
        m_shownProblems.clear();
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
    // Written is saved, even when the reload that follows fails.
    setUnsavedChanges(false);
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

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (confirmExit())
        event->accept();
    else
        event->ignore();
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
    MakeCompatList(this, m_doc, m_ui);
}

void MainWindow::backupIniFileCommand()
{
    BackupIniFile(this, m_doc, m_ui);
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
