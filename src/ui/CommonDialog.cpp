#include "CommonDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

QString comparablePath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool samePath(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && comparablePath(a) == comparablePath(b);
}

} // namespace

QString CommonDialog::caseInsensitivePattern(const QString &pattern)
{
    QString result;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower == upper)
            result += c;
        else
            result += QLatin1Char('[') + lower + upper + QLatin1Char(']');
    }
    return result;
}

QStringList CommonDialog::nameFilters(const FileFilter &filter)
{
    QStringList patterns;
    for (const QString &pattern : filter.pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns.append(caseInsensitivePattern(pattern.trimmed()));
    return {filter.description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'),
            QStringLiteral("All files (*)")};
}

QString CommonDialog::offeredPath(const QString &proposedPath, const QString &neverOffer) const
{
    QString candidate = proposedPath;
    if (candidate.isEmpty() && !m_lastName.isEmpty())
        candidate = QDir(m_lastFolder).filePath(m_lastName);
    if (samePath(candidate, neverOffer))
        return QFileInfo(candidate).absolutePath();
    if (candidate.isEmpty())
        return m_lastFolder;
    return candidate;
}

void CommonDialog::remember(const QString &chosenPath)
{
    const QFileInfo info(chosenPath);
    m_lastFolder = info.absolutePath();
    m_lastName = info.fileName();
}

std::optional<QString> CommonDialog::show(QWidget *parent, Mode mode, const FileFilter &filter,
                                          const QString &proposedPath, const QString &neverOffer)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("CommonDialog"));
    // Qt's own dialog everywhere: the bracket patterns and the remembered name behave alike.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters(filter));
    if (!filter.title.isEmpty())
        dialog.setWindowTitle(filter.title);
    if (mode == Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }

    const QString offered = offeredPath(proposedPath, neverOffer);
    if (!offered.isEmpty()) {
        const QFileInfo info(offered);
        if (info.isDir()) {
            dialog.setDirectory(offered);
        } else {
            dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
    }

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    remember(chosen);
    return chosen;
}
