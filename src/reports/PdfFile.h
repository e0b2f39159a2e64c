#pragma once

#include <QPageLayout>
#include <QString>

#include <optional>

class QWidget;

// Writes the dialog's page as a one-page PDF file at path, under the given title, on the
// given page (an invalid layout keeps the writer's A4); an older file there is replaced
// only once the new one is whole. Empty when the file was written; otherwise a message
// for the user saying why not.
std::optional<QString> SaveDialogPdf(const QString &path, QWidget &dialog, const QString &title,
                                     const QPageLayout &layout = {});
