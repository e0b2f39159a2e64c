// What the user can type or paste into the text boxes.
#include "PropertiesTestEntries.h"

#include "editing/RomProperties.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace {

struct Typing {
    const char *box;
    std::string before;
    int cursor; // -1: at the end
    bool paste; // paste `input` instead of typing it ("\b" types Backspace)
    std::string input, after;
};

TEST(PropertiesTyping, BoxesTakeOnlyWhatTheyAllow)
{
    const std::string n150(150, 'n'), i200(200, 'i'), i199(199, 'i');
    const Typing cases[] = {
        // The rescan count takes at most four digits and nothing else, typed or pasted.
        {"txtOSHLE", "", -1, false, "12345", "1234"},
        {"txtOSHLE", "", -1, false, "1-.a 2\t\b", "1"},
        {"txtOSHLE", "19", 1, false, "x5", "159"},
        {"txtOSHLE", "-3", -1, false, "0", "-30"},
        {"txtOSHLE", "12", -1, true, "3a", "12"},
        {"txtOSHLE", "12", -1, true, "345", "1234"},
        {"txtOSHLE", "12", -1, true, "34", "1234"},
        // Names take 150 characters; longer stored texts are shown whole and can only shrink.
        {"txtRomName", "", -1, false, n150 + "n", n150},
        {"txtRomName", n150, -1, true, "more", n150},
        {"txtRomName", i200, -1, false, "x\b", i199},
        {"txtInfo", i200, -1, false, "x\b", i199},
    };
    for (const Typing &t : cases) {
        RomEntry entry;
        frmProperties dialog(entry, {});
        FillRomProperties(dialog, entry);
        auto *edit = Find<QLineEdit>(dialog, t.box);
        edit->setText(QString::fromStdString(t.before));
        edit->setCursorPosition(t.cursor < 0 ? edit->text().size() : t.cursor);
        const QString input = QString::fromStdString(t.input);
        if (t.paste) {
            QApplication::clipboard()->setText(input);
            edit->paste();
        } else {
            QTest::keyClicks(edit, input);
        }
        EXPECT_EQ(edit->text().toStdString(), t.after) << t.box << " \"" << t.before << "\" + \"" << t.input << "\"";
    }
}

} // namespace
