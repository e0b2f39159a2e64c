#include "MergeIntoOpenFile.h"

#include "LoadProblemsText.h"
#include "MergeDialog.h"
#include "editing/DocumentSession.h"
#include "inidb/IniMerge.h"
#include "inidb/IniReader.h"
#include "inidb/PathParts.h"
#include "ui/FileText.h"
#include "ui/UserInterface.h"

#include <functional>
#include <future>

namespace {

const QString MergeTitle = QStringLiteral("Merge");
const FileFilter TheirsFilter{QStringLiteral("Velmoran ini file"), QStringLiteral("*.ini"),
                              QStringLiteral("Choose the ini file to merge into yours")};
const FileFilter BaseFilter{TheirsFilter.description, TheirsFilter.pattern,
                            QStringLiteral("Choose the file both started from")};
const QString ChooseBase = QStringLiteral("Choose Base...");
const QString WithoutBase = QStringLiteral("Merge Without Base");
const QString Cancel = QStringLiteral("Cancel");

QString fileName(const std::string &path)
{
    return fromPath(FileNameOf(path));
}

} // namespace

MergeIntoOpenFile::MergeIntoOpenFile(QWidget &window, UserInterface &ui, IniDocument &doc,
                                     DocumentSession &session, FileSystem &fs)
    : m_window(window), m_ui(ui), m_doc(doc), m_session(session), m_fs(fs)
{
}

ReadIniFile ReadForMerge(const std::string &path, FileSystem &fs)
{
    ReadIniFile file;
    file.doc.IniPath = path;
    file.loaded = LoadIniFile(file.doc, fs);
    return file;
}

bool MergeIntoOpenFile::told(const ReadIniFile &file)
{
    if (!file.loaded.status.ok()) {
        m_ui.showError(&m_window, QStringLiteral("Error"), IoErrorText(file.loaded.status));
        return false;
    }
    if (!file.loaded.problems.empty())
        m_ui.showError(&m_window, QStringLiteral("Error"),
                       LoadProblemsText(file.doc.IniPath, file.doc.Encoding, file.loaded.problems));
    return true;
}

MergeResult MergeIntoOpenFile::mergedWith(const IniDocument *base, const IniDocument &theirs)
{
    const BusyCursor busy(m_ui);
    const MergeSide baseSide = base ? DocumentSide(*base) : MergeSide{};
    return MergeIni(base ? &baseSide : nullptr, DocumentSide(m_doc), DocumentSide(theirs));
}

void MergeIntoOpenFile::mergeAnotherFile()
{
    const auto theirsPath = m_ui.chooseFileToOpen(&m_window, TheirsFilter);
    if (!theirsPath)
        return;
    const QString answer = m_ui.askChoice(
        &m_window, MergeTitle,
        QStringLiteral("Do you have the file that yours and %1 both started from? With it, only what was changed "
                       "in %1 since is offered, and what you changed stays; without it, every difference is "
                       "offered and yours is kept unless you choose otherwise.")
            .arg(fileName(toPath(*theirsPath))),
        UserInterface::Icon::Question, {ChooseBase, WithoutBase, Cancel});
    if (answer == Cancel)
        return;
    std::optional<QString> basePath;
    if (answer == ChooseBase && !(basePath = m_ui.chooseFileToOpen(&m_window, BaseFilter)))
        return;
    std::optional<ReadIniFile> base;
    ReadIniFile theirs;
    {
        const BusyCursor busy(m_ui);
        // Reading is most of a merge's time: the base is read beside theirs.
        std::future<ReadIniFile> baseRead;
        if (basePath)
            baseRead = std::async(std::launch::async, ReadForMerge, toPath(*basePath), std::ref(m_fs));
        theirs = ReadForMerge(toPath(*theirsPath), m_fs);
        if (basePath)
            base = baseRead.get();
    }
    if (!told(theirs) || (base && !told(*base)))
        return;
    const MergeResult result = mergedWith(base ? &base->doc : nullptr, theirs.doc);
    chooseAndApply(result, toPath(*theirsPath), base.has_value());
}

std::optional<ReadIniFile> MergeIntoOpenFile::mergeChangedFile(const std::string &path,
                                                                const IniDocument &base)
{
    ReadIniFile theirs;
    {
        const BusyCursor busy(m_ui);
        theirs = ReadForMerge(path, m_fs);
    }
    if (!told(theirs))
        return std::nullopt;
    const MergeResult result = mergedWith(&base, theirs.doc);
    if (!chooseAndApply(result, path, true))
        return std::nullopt;
    return theirs;
}

bool MergeIntoOpenFile::chooseAndApply(const MergeResult &result, const std::string &theirsPath, bool withBase)
{
    const QString theirsName = fileName(theirsPath);
    if (result.empty()) {
        m_ui.showNotice(&m_window, MergeTitle,
                        withBase ? QStringLiteral("%1 holds no change that yours does not have already.").arg(theirsName)
                                 : QStringLiteral("The files hold the same ROMs and settings."));
        return true;
    }
    MergeDialog dialog(result, m_doc, theirsName, withBase, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const BusyCursor busy(m_ui);
    m_session.applyMerge(EditsForChoices(m_doc, result, dialog.choices(), dialog.takePreamble()),
                         QStringLiteral("Merge %1").arg(theirsName));
    return true;
}
