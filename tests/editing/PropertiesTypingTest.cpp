// What the user can type or paste into the text boxes.
#include "PropertiesTestEntries.h"

#include "editing/RomProperties.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace {

class PropertiesTyping : public ::testing::Test {
protected:
    PropertiesTyping() : m_dialog(m_entry, {}) { FillRomProperties(m_dialog, m_entry); }

    QLineEdit &rescan() { return *m_dialog.controls().txtOSHLE; }
    QLineEdit &name() { return *m_dialog.controls().txtRomName; }

    static void typeInto(QLineEdit &edit, const QString &keys)
    {
        edit.setFocus();
        edit.end(false);
        QTest::keyClicks(&edit, keys);
    }

    static void pasteInto(QLineEdit &edit, const QString &text)
    {
        QApplication::clipboard()->setText(text);
        edit.end(false);
        edit.paste();
    }

    RomEntry m_entry;
    frmProperties m_dialog;
};

TEST_F(PropertiesTyping, RescanCountTakesAtMostFourDigits)
{
    rescan().clear();
    typeInto(rescan(), QStringLiteral("12345"));
    EXPECT_EQ(rescan().text(), QStringLiteral("1234"));
}

TEST_F(PropertiesTyping, RescanCountDiscardsEverythingButDigits)
{
    rescan().clear();
    typeInto(rescan(), QStringLiteral("1-.a 2\t"));
    EXPECT_EQ(rescan().text(), QStringLiteral("12"));
    QTest::keyClick(&rescan(), Qt::Key_Backspace);
    EXPECT_EQ(rescan().text(), QStringLiteral("1"));
}

TEST_F(PropertiesTyping, PastedTextFollowsTheSameRule)
{
    rescan().setText(QStringLiteral("12"));
    pasteInto(rescan(), QStringLiteral("3a"));
    EXPECT_EQ(rescan().text(), QStringLiteral("12"));
    pasteInto(rescan(), QStringLiteral("345"));
    EXPECT_EQ(rescan().text(), QStringLiteral("12"));
    pasteInto(rescan(), QStringLiteral("34"));
    EXPECT_EQ(rescan().text(), QStringLiteral("1234"));
}

TEST_F(PropertiesTyping, RejectedKeyLeavesTheCursorWhereItWas)
{
    rescan().setText(QStringLiteral("19"));
    rescan().setCursorPosition(1);
    QTest::keyClicks(&rescan(), QStringLiteral("x5"));
    EXPECT_EQ(rescan().text(), QStringLiteral("159"));
}

TEST_F(PropertiesTyping, StoredNegativeCountIsShownAndCanBeEdited)
{
    m_entry.OSRescanCount = -3;
    frmProperties dialog(m_entry, {});
    FillRomProperties(dialog, m_entry);
    QLineEdit &edit = *dialog.controls().txtOSHLE;
    EXPECT_EQ(edit.text(), QStringLiteral("-3"));
    typeInto(edit, QStringLiteral("0"));
    EXPECT_EQ(edit.text(), QStringLiteral("-30"));
    dialog.cmdOK_Click();
    EXPECT_EQ(m_entry.OSRescanCount, -30);
}

TEST_F(PropertiesTyping, NameTakesAtMost150TypedCharacters)
{
    name().clear();
    typeInto(name(), QString(151, QLatin1Char('n')));
    EXPECT_EQ(name().text(), QString(150, QLatin1Char('n')));
    pasteInto(name(), QStringLiteral("more"));
    EXPECT_EQ(name().text().size(), 150);
}

TEST_F(PropertiesTyping, LongerStoredTextIsShownWholeAndCanOnlyShrink)
{
    for (QLineEdit *edit : {&name(), m_dialog.controls().txtInfo}) {
        const QString stored(200, QLatin1Char('i'));
        edit->setText(stored);
        EXPECT_EQ(edit->text(), stored);
        typeInto(*edit, QStringLiteral("x"));
        EXPECT_EQ(edit->text(), stored);
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text().size(), 199);
    }
}

} // namespace
