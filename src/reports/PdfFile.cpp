#include "PdfFile.h"

#include "DialogPage.h"

#include <QPdfWriter>
#include <QSaveFile>

std::optional<QString> SaveDialogPdf(const QString &path, QWidget &dialog, const QString &title,
                                     const QPageLayout &layout)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("The PDF file %1 could not be written: %2").arg(path, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tamsic"));
        if (layout.isValid())
            writer.setPageLayout(layout);
        if (!PaintDialogPage(writer, dialog)) {
            file.cancelWriting();
            return QStringLiteral("The page for the PDF file %1 could not be prepared.").arg(path);
        }
    }
    if (!file.commit())
        return QStringLiteral("The PDF file %1 could not be written: %2").arg(path, file.errorString());
    return std::nullopt;
}
