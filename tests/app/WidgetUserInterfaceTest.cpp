#include "ModalDriver.h"
#include "ui/WidgetUserInterface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

Qt::CursorShape overrideShape()
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BitmapCursor;
}

} // namespace

// A yes/no box shows its icon and returns the answer; an error is an OK box read with the
// normal pointer; the busy pointer nests, and an unmatched end pops no one else's cursor.
TEST(WidgetUserInterface, BoxesAnswerAndTheBusyPointerNests)
{
    WidgetUserInterface ui;
    const std::tuple<UserInterface::Icon, QMessageBox::Icon, bool> questions[] = {
        {UserInterface::Icon::Question, QMessageBox::Question, true},
        {UserInterface::Icon::Exclamation, QMessageBox::Warning, false}};
    for (const auto &[icon, boxIcon, answerYes] : questions) {
        whenModal<QMessageBox>([&, boxIcon = boxIcon, answerYes = answerYes](QMessageBox *box) {
            EXPECT_EQ(box->text(), QStringLiteral("Save <any>?"));
            EXPECT_EQ(box->icon(), boxIcon);
            box->button(answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(ui.askYesNo(nullptr, QStringLiteral("Save?"), QStringLiteral("Save <any>?"), icon), answerYes);
    }

    ui.setBusy(true);
    ui.setBusy(true);
    Qt::CursorShape whileShown = Qt::BitmapCursor;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        whileShown = overrideShape();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    ui.showError(nullptr, QStringLiteral("Error"), QStringLiteral("Error 13: Permission denied"));
    EXPECT_EQ(whileShown, Qt::ArrowCursor);
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    ui.setBusy(false);
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    ui.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QApplication::setOverrideCursor(Qt::CrossCursor);
    ui.setBusy(false);
    EXPECT_EQ(overrideShape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(ui.busyDepth(), 0);
}
