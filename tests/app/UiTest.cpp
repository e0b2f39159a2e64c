// The ui layer on its own: pictures, the file dialog and the message boxes.
#include "ModalDriver.h"
#include "ui/CommonDialog.h"
#include "ui/ImagelistSmall.h"
#include "ui/WidgetUserInterface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

const FileFilter IniFilter{QStringLiteral("Velmoran.ini"), QStringLiteral("velmoran.ini")};

Qt::CursorShape overrideShape()
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BitmapCursor;
}

} // namespace

// Every key has its own picture; at a scale factor of 2 a 24-pixel tool bar button takes 48
// device pixels, so each must be drawn at that size from its SVG, not blown up from a bitmap.
TEST(ImagelistSmall, EveryKeyHasItsOwnPictureDrawnFromItsSvgAtTheDevicePixelRatio)
{
    std::vector<QImage> drawn;
    for (const QString &file : QDir(QStringLiteral(":/imagelist")).entryList()) {
        QImage image(48, 48, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QSvgRenderer(QStringLiteral(":/imagelist/") + file).render(&painter);
        drawn.push_back(image);
    }
    ASSERT_EQ(drawn.size(), 22u);
    std::vector<QImage> seen;
    for (const QString &key : ImagelistSmall::keys()) {
        const QImage image = ImagelistSmall::picture(key).toImage();
        EXPECT_EQ(image.size(), QSize(16, 16)) << key.toStdString();
        EXPECT_EQ(std::count(seen.begin(), seen.end(), image), 0) << key.toStdString();
        seen.push_back(image);
        const QImage large = ImagelistSmall::icon(key).pixmap(QSize(24, 24), 2.0).toImage();
        EXPECT_NE(std::find(drawn.begin(), drawn.end(), large), drawn.end()) << key.toStdString();
    }
    EXPECT_EQ(seen.size(), 22u);
}

// The filter finds the file in any letter case but no other (on a case-sensitive listing only
// the pattern can make the other spelling match); the dialog offers the proposal or the last
// name, but never the forbidden file.
TEST(CommonDialog, FilterAndOfferedPath)
{
    QTemporaryDir dir;
    for (const char *name : {"Velmoran.INI", "velmoran.ini", "velmoran.ini.bak", "other.ini"})
        QFile(dir.filePath(QLatin1String(name))).open(QIODevice::WriteOnly);
    EXPECT_EQ(QDir(dir.path()).entryList({CommonDialog::caseInsensitivePattern(QStringLiteral("velmoran.ini"))},
                                         QDir::Files | QDir::CaseSensitive, QDir::Name),
              (QStringList{QStringLiteral("Velmoran.INI"), QStringLiteral("velmoran.ini")}));

    CommonDialog dialog;
    const QString ini = dir.filePath(QStringLiteral("velmoran.ini"));
    const QString report = dir.filePath(QStringLiteral("compat.txt"));
    EXPECT_EQ(dialog.offeredPath({}, {}), QString());
    dialog.remember(ini);
    EXPECT_EQ(dialog.offeredPath({}, {}), ini);
    EXPECT_EQ(dialog.offeredPath(report, ini), report);
    EXPECT_EQ(dialog.offeredPath(dir.path() + QStringLiteral("/./velmoran.ini"), ini), dir.path());
}

// Open returns the chosen file and starts there next time.
TEST(CommonDialog, OpenAndSaveReturnTheChosenFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Velmoran.INI"));
    QFile(ini).open(QIODevice::WriteOnly);
    CommonDialog dialog;
    whenModal<QFileDialog>([&](QFileDialog *shown) {
        shown->setDirectory(dir.path());
        shown->selectFile(ini);
        static_cast<QDialog *>(shown)->accept();
    });
    EXPECT_EQ(dialog.show(nullptr, CommonDialog::Mode::Open, IniFilter), std::optional<QString>(ini));
    EXPECT_EQ(dialog.offeredPath({}, {}), ini);
    whenModal<QFileDialog>([&](QFileDialog *shown) {
        EXPECT_EQ(QDir(shown->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        shown->reject();
    });
    EXPECT_EQ(dialog.show(nullptr, CommonDialog::Mode::Open, IniFilter), std::nullopt);

    // Saving over the existing file asks first; No goes back to the dialog.
    int asked = 0;
    whenModal<QFileDialog>([&](QFileDialog *shown) {
        whenModal<QMessageBox>([&](QMessageBox *box) {
            ++asked;
            box->button(QMessageBox::No)->click();
        });
        shown->selectFile(ini);
        static_cast<QDialog *>(shown)->accept();
        shown->reject();
    });
    EXPECT_EQ(dialog.show(nullptr, CommonDialog::Mode::Save, IniFilter, ini), std::nullopt);
    EXPECT_EQ(asked, 1);
}

// Boxes return the answer clicked, and Esc and the close box of a Yes/No/Cancel box mean
// Cancel; an error is an OK box read with the normal pointer; the busy pointer nests, and an
// unmatched end pops no one else's cursor.
TEST(WidgetUserInterface, BoxesAnswerAndTheBusyPointerNests)
{
    WidgetUserInterface ui;
    for (const bool answerYes : {true, false}) {
        whenModal<QMessageBox>([&](QMessageBox *box) { box->button(answerYes ? QMessageBox::Yes : QMessageBox::No)->click(); });
        EXPECT_EQ(ui.askYesNo(nullptr, QStringLiteral("Save?"), QStringLiteral("Save?"), UserInterface::Icon::Question), answerYes);
    }
    const std::pair<std::function<void(QMessageBox *)>, UserInterface::Answer> answers[] = {
        {[](QMessageBox *box) { box->button(QMessageBox::No)->click(); }, UserInterface::Answer::No},
        {[](QMessageBox *box) { box->button(QMessageBox::Cancel)->click(); }, UserInterface::Answer::Cancel},
        {[](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }, UserInterface::Answer::Cancel},
        {[](QMessageBox *box) { box->close(); }, UserInterface::Answer::Cancel}};
    for (const auto &[answer, expected] : answers) {
        whenModal<QMessageBox>(answer);
        EXPECT_EQ(ui.askYesNoCancel(nullptr, QStringLiteral("Save?"), QStringLiteral("Save?"), UserInterface::Icon::Question),
                  expected);
    }

    ui.setBusy(true);
    ui.setBusy(true);
    Qt::CursorShape whileShown = Qt::BitmapCursor;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        whileShown = overrideShape();
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    ui.showError(nullptr, QStringLiteral("Error"), QStringLiteral("Error 13: Permission denied"));
    EXPECT_EQ(whileShown, Qt::ArrowCursor);
    ui.setBusy(false);
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    ui.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QApplication::setOverrideCursor(Qt::CrossCursor);
    ui.setBusy(false);
    EXPECT_EQ(overrideShape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
}
