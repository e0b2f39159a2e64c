#include "PdfCheck.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

bool Run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return false;
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

} // namespace

int PdfPageCount(const QString &pdfPath)
{
    QByteArray info;
    if (!Run(QStringLiteral("pdfinfo"), {pdfPath}, &info))
        return -1;
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(info));
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

double PdfInkShare(const QString &pdfPath)
{
    QTemporaryDir folder;
    const QString prefix = folder.filePath(QStringLiteral("page"));
    if (!Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"),
                                          QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                          QStringLiteral("-singlefile"), QStringLiteral("-png"), pdfPath, prefix}))
        return -1;
    const QImage page(prefix + QStringLiteral(".png"));
    if (page.isNull())
        return -1;
    const QImage rgb = page.convertToFormat(QImage::Format_RGB32);
    qint64 ink = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (qGray(rgb.pixel(x, y)) < 245)
                ++ink;
    return double(ink) / (double(rgb.width()) * rgb.height());
}
