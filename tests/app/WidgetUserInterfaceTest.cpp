#include "ModalDriver.h"
#include "ui/WidgetUserInterface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <tuple>

namespace {

Qt::CursorShape overrideShape()
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BitmapCursor;
}

} // namespace

TEST(WidgetUserInterface, YesNoBoxShowsTitleTextAndIconAndReturnsTheAnswer)
{
    const std::tuple<UserInterface::Icon, QMessageBox::Icon, bool> cases[] = {
        {UserInterface::Icon::Question, QMessageBox::Question, true},
        {UserInterface::Icon::Question, QMessageBox::Question, false},
        {UserInterface::Icon::Exclamation, QMessageBox::Warning, true}};
    WidgetUserInterface ui;
    for (const auto &[icon, boxIcon, answerYes] : cases) {
        SCOPED_TRACE(testing::Message() << "box icon " << boxIcon << ", answer " << answerYes);
        whenModal<QMessageBox>([&, boxIcon = boxIcon, answerYes = answerYes](QMessageBox *box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Save?"));
            EXPECT_EQ(box->text(), QStringLiteral("Do you wish to save <any> changes?"));
            EXPECT_EQ(box->icon(), boxIcon);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            box->button(answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(ui.askYesNo(nullptr, QStringLiteral("Save?"), QStringLiteral("Do you wish to save <any> changes?"),
                              icon),
                  answerYes);
    }
}

// The busy pointer nests, and gives way to the normal pointer while an error is read.
TEST(WidgetUserInterface, BusyCursorNestsAndAnErrorIsAnOkBoxWithTheNormalPointer)
{
    WidgetUserInterface ui;
    ui.setBusy(true);
    ui.setBusy(true);
    bool shown = false;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        shown = true;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Error"));
        EXPECT_EQ(box->text(), QStringLiteral("Error 13: Permission denied"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(overrideShape(), Qt::ArrowCursor);
        box->button(QMessageBox::Ok)->click();
    });
    ui.showError(nullptr, QStringLiteral("Error"), QStringLiteral("Error 13: Permission denied"));
    EXPECT_TRUE(shown);
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    ui.setBusy(false);
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    ui.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // An unmatched end must not pop a cursor someone else set.
    QApplication::setOverrideCursor(Qt::CrossCursor);
    ui.setBusy(false);
    EXPECT_EQ(overrideShape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(ui.busyDepth(), 0);
}
