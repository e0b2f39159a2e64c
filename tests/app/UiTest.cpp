// The real message boxes: an unsaved-changes question must never turn Esc or the close box
// into No, which would drop the changes.
#include "ModalDriver.h"
#include "ui/WidgetUserInterface.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

TEST(WidgetUserInterface, YesNoCancelBoxesAnswerTheButtonAndEscOrCloseMeanCancel)
{
    WidgetUserInterface ui;
    using Answer = UserInterface::Answer;
    const std::pair<std::function<void(QMessageBox *)>, Answer> answers[] = {
        {[](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); }, Answer::Yes},
        {[](QMessageBox *box) { box->button(QMessageBox::No)->click(); }, Answer::No},
        {[](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }, Answer::Cancel},
        {[](QMessageBox *box) { box->close(); }, Answer::Cancel}};
    for (const auto &[answer, expected] : answers) {
        whenModal<QMessageBox>(answer);
        EXPECT_EQ(ui.askYesNoCancel(nullptr, QStringLiteral("Save?"), QStringLiteral("Save?"), UserInterface::Icon::Question),
                  expected);
    }
}

// A choice shows its answers in order and gives the one clicked; Enter, Esc and the close
// box give the last (the one that changes nothing).
TEST(WidgetUserInterface, ChoiceBoxesAnswerTheButtonAndEnterEscOrCloseGiveTheLast)
{
    WidgetUserInterface ui;
    const QStringList answers{QStringLiteral("Overwrite"), QStringLiteral("Keep"), QStringLiteral("Cancel")};
    const std::pair<std::function<void(QMessageBox *)>, int> cases[] = {
        {[](QMessageBox *box) { box->buttons().at(1)->click(); }, 1},
        {[](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); }, 2},
        {[](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }, 2},
        {[](QMessageBox *box) { box->close(); }, 2}};
    for (const auto &[act, expected] : cases) {
        whenModal<QMessageBox>(act);
        EXPECT_EQ(ui.askChoice(nullptr, {}, {}, UserInterface::Icon::Exclamation, answers), answers[expected]);
    }
}
