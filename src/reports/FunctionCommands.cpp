#include "FunctionCommands.h"

#include "CompatText.h"
#include "inidb/FileSystem.h"
#include "inidb/SameFile.h"
#include "inidb/WholeFileTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

const QString ErrorTitle = QStringLiteral("Error");

QString PathText(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string PathBytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// These commands show a failure as its number and description, without an "Error " prefix.
void ShowFailure(QWidget *parent, UserInterface &ui, const IoStatus &status)
{
    ui.showError(parent, ErrorTitle,
                 QString::number(status.number) + QStringLiteral(": ")
                     + QString::fromLocal8Bit(status.description));
}

// The backup is offered beside the ini file, under its name with ".bak" added.
QString ProposedBackupPath(const IniDocument &doc)
{
    if (doc.IniPath.empty())
        return {};
    return PathText(doc.IniPath) + QStringLiteral(".bak");
}

// The report is offered as compat.txt beside the ini file, whatever name the shared dialog
// was last left with (after a backup that would be the backup itself).
QString ProposedReportPath(const IniDocument &doc)
{
    if (doc.IniPath.empty())
        return {};
    return QFileInfo(PathText(doc.IniPath)).dir().filePath(QStringLiteral("compat.txt"));
}

} // namespace

// Through links and other spellings of the path, whether target is the ini file itself.
bool IsIniFile(const QString &target, const IniDocument &doc)
{
    return !doc.IniPath.empty() && IsSameFile(PathBytes(target), doc.IniPath);
}

bool ConfirmCrcConversion(QWidget *parent, UserInterface &ui)
{
    return ui.askYesNo(parent, QStringLiteral("Confirm Convert"), QStringLiteral("Really convert all CRC's to uppercase?"),
                       UserInterface::Icon::Question);
}

std::optional<QString> BackupIniFile(QWidget *parent, const IniDocument &doc, UserInterface &ui)
{
    if (!ui.askYesNo(parent, QStringLiteral("Confirm Backup"),
                     QStringLiteral("Are you sure you wish to backup the current ini file?"),
                     UserInterface::Icon::Question))
        return std::nullopt;
    if (!ui.askYesNo(parent, QStringLiteral("confirm Continue"),
                     QStringLiteral("Note that any changes made during this session will NOT be "
                                    "saved to the backup (unless the save button has already been "
                                    "pressed!) - Still continue?"),
                     UserInterface::Icon::Exclamation))
        return std::nullopt;
    const std::optional<QString> target = ui.chooseFileToSave(
        parent,
        {QStringLiteral("Velmoran ini file Backup (.ini.bak)"), QStringLiteral("*.ini.bak")},
        ProposedBackupPath(doc), PathText(doc.IniPath));
    if (!target)
        return std::nullopt;
    // A copy onto the file itself would leave no copy at all.
    if (IsIniFile(*target, doc)) {
        ui.showError(parent, ErrorTitle,
                     QStringLiteral("The backup cannot be written over the open ini file %1. Choose another name.")
                         .arg(PathText(doc.IniPath)));
        return std::nullopt;
    }
    const IoStatus status = BackupIniFile(doc, PathBytes(*target), DefaultFileSystem());
    if (!status.ok()) {
        ShowFailure(parent, ui, status);
        return std::nullopt;
    }
    return target;
}

std::optional<QString> MakeCompatList(QWidget *parent, const IniDocument &doc, UserInterface &ui)
{
    const std::optional<QString> target = ui.chooseFileToSave(
        parent, {QStringLiteral("Compat.txt"), QStringLiteral("compat.txt")},
        ProposedReportPath(doc), PathText(doc.IniPath));
    if (!target)
        return std::nullopt;
    if (IsIniFile(*target, doc)) {
        ui.showError(parent, ErrorTitle,
                     QStringLiteral("The compatibility list cannot be written over the open ini "
                                    "file %1. Choose another name.")
                         .arg(PathText(doc.IniPath)));
        return std::nullopt;
    }
    // Without a loaded file there is no table to report on; say so rather than write an
    // empty report that looks like a real one.
    if (doc.LoadGeneration == 0) {
        ShowFailure(parent, ui, IoStatus{ENOENT, "No ini file is loaded, so there is nothing to list."});
        return std::nullopt;
    }
    const IoStatus status = WriteCompatList(doc, PathBytes(*target), DefaultFileSystem());
    if (!status.ok()) {
        ShowFailure(parent, ui, status);
        return std::nullopt;
    }
    return target;
}
