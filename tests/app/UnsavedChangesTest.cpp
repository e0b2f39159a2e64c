#include "AppHarness.h"
#include "ModalDriver.h"
#include "ui/WidgetUserInterface.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using Answer = UserInterface::Answer;
using UnsavedChanges = OpenedSample;

// Cancel, Esc and the close box of the real exit question all mean: stay, write nothing.
TEST_F(UnsavedChanges, ExitQuestionCancelledByButtonEscOrCloseBoxKeepsWindowAndFile)
{
    WidgetUserInterface realUi;
    MainWindow window(h.doc, realUi, h.store);
    window.show();
    h.doc.EntryTable[0].Comment = "Changed";
    const std::function<void(QMessageBox *)> cancels[] = {
        [](QMessageBox *box) {
            QAbstractButton *cancel = box->button(QMessageBox::Cancel);
            ASSERT_NE(cancel, nullptr);
            cancel->click();
        },
        [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](QMessageBox *box) { box->close(); }};
    for (const auto &cancel : cancels) {
        whenModal<QMessageBox>([&](QMessageBox *box) {
            const bool hasCancel = box->button(QMessageBox::Cancel) != nullptr;
            cancel(box);
            if (!hasCancel && box->isVisible())
                box->done(QMessageBox::No);
        });
        window.close();
        EXPECT_TRUE(window.isVisible());
        window.show();
    }
    EXPECT_EQ(readFile(iniPath), sampleIni());
}

// A removal, Convert CRCs and an edit each mark the caption until the next save.
TEST_F(UnsavedChanges, EachChangeMarksTheCaptionUntilSaved)
{
    const std::function<void()> changes[] = {
        [&] { h.window->removeRomEntryCommand(); },
        [&] { h.window->crcToUpperCaseCommand(); },
        [&] {
            whenModal<QDialog>([](QDialog *dialog) {
                dialog->findChild<QLineEdit *>(QStringLiteral("txtInfo"))->setText(QStringLiteral("Edited"));
                dialog->findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click();
            });
            h.window->viewRomPropertiesCommand();
        }};
    for (const auto &change : changes) {
        h.ui.yesNoAnswers = {true};
        change();
        EXPECT_EQ(h.window->windowTitle(), QLatin1Char('*') + captionFor(iniPath));
        h.window->saveCommand();
        EXPECT_EQ(h.window->windowTitle(), captionFor(iniPath));
    }
    EXPECT_NE(readFile(iniPath).find("Info=Edited"), std::string::npos);
}

// With a change unsaved Open asks first: Cancel keeps the table, Yes saves it, No drops it.
TEST_F(UnsavedChanges, OpenAsksToSaveThemAndCancelKeepsTheTable)
{
    const std::string other = h.path("other.ini");
    writeFile(other, iniBlock("12345678-9ABCDEF0-C:46", "Francais", 5, "Playable"));
    for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
        writeFile(iniPath, sampleIni());
        h.openWindow(iniPath);
        h.ui.yesNoAnswers = {true};
        h.window->removeRomEntryCommand();
        h.ui.yesNoCancelAnswers = {answer};
        if (answer != Answer::Cancel)
            h.ui.fileAnswers = {QString::fromStdString(other)};
        h.window->openCommand();
        ASSERT_FALSE(h.ui.questions().empty());
        EXPECT_EQ(h.ui.questions().back().text, QStringLiteral("Save changes to %1?").arg(QString::fromStdString(iniPath)));
        EXPECT_EQ(h.window->model().rowCount(), answer == Answer::Cancel ? 3 : 1);
        EXPECT_EQ(h.window->windowTitle(), answer == Answer::Cancel ? QLatin1Char('*') + captionFor(iniPath) : captionFor(other));
        EXPECT_EQ(readFile(iniPath) == sampleIni(), answer != Answer::Yes);
    }
}
