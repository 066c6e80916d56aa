// The saved text library: stored list rules, the window's index field rules
// driven by real clicks, and pasting a snippet into a text box as one undo step.
#include "document/SKTDocument.h"
#include "sidebar/SavedTextCollection.h"
#include "sidebar/ui/SavedTextWindowController.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"
#include "support/ScopedUserDefaults.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QStringList titles(const SavedTextCollection &c)
{
    QStringList out;
    for (const SavedTextRecord &r : c.records())
        out << r.title;
    return out;
}
} // namespace

TEST(SavedTextCollectionTest, UpdatesInRangeAndAppendsForAnyOtherIndex)
{
    ScopedUserDefaults scoped;
    SavedTextCollection c;
    EXPECT_EQ(c.count(), 0);
    c.append({"a", "1"});
    c.append({"b", "2"});
    c.update(1, {"B", "2b"});
    EXPECT_EQ(titles(c), QStringList({"a", "B"}));
    // Negative and too-large indexes append instead of touching memory out of range.
    c.update(-1, {"neg", ""});
    c.update(-98, {"neg98", ""});
    c.update(9, {"big", ""});
    EXPECT_EQ(titles(c), QStringList({"a", "B", "neg", "neg98", "big"}));
    EXPECT_FALSE(c.remove(-1));
    EXPECT_FALSE(c.remove(5));
    EXPECT_TRUE(c.remove(0));
    EXPECT_EQ(titles(c), QStringList({"B", "neg", "neg98", "big"}));
    // Stored as a list of maps under its key, shared by every reader.
    const QVariantList stored = scoped.defaults().arrayForKey("savedTextArray");
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(stored[0].toMap().value("textContent").toString(), QStringLiteral("2b"));
}

TEST(SavedTextCollectionTest, AddedTitleUsesTheCalendarYearInEnglish)
{
    struct Case {
        QDateTime when;
        QString title;
    };
    const Case cases[] = {
        // 29 December 2025 lies in the first week of 2026; the title keeps 2025.
        {QDateTime(QDate(2025, 12, 29), QTime(21, 5)), "Added Dec 29 2025,  Monday at 9:05 PM"},
        {QDateTime(QDate(2027, 1, 1), QTime(0, 30)), "Added Jan 01 2027,  Friday at 12:30 AM"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SavedTextCollection::addedTitle(c.when), c.title);
}

class SavedTextWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window.show(); }
    void type(const QString &title, const QString &text)
    {
        window.titleTextField()->clear();
        QTest::keyClicks(window.titleTextField(), title);
        window.textView()->clear();
        QTest::keyClicks(window.textView(), text);
    }
    void addSnippet(const QString &title, const QString &text)
    {
        QTest::mouseClick(window.addButton(), Qt::LeftButton);
        type(title, text);
        QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    }
    ScopedUserDefaults scoped;
    SavedTextCollection collection;
    SavedTextWindowController window;
};

TEST_F(SavedTextWindowTest, EmptyLibraryShowsZeroAndEmptyFields)
{
    window.launch();
    EXPECT_EQ(window.savedTextLabel()->text(), QStringLiteral("0 text saved"));
    EXPECT_TRUE(window.titleTextField()->text().isEmpty());
    EXPECT_TRUE(window.textView()->toPlainText().isEmpty());
    EXPECT_TRUE(window.savedTextRecordIndexTextField()->text().isEmpty());
}

TEST_F(SavedTextWindowTest, AddEditDeleteByClicks)
{
    window.launch();
    addSnippet("one", "first");
    addSnippet("two", "second");
    addSnippet("three", "third");
    EXPECT_EQ(titles(collection), QStringList({"one", "two", "three"}));
    EXPECT_EQ(window.savedTextLabel()->text(), QStringLiteral("3 text saved"));
    EXPECT_EQ(window.tableView()->rowCount(), 3);

    // Picking a row shows its snippet; saving replaces it in place.
    QTest::mouseClick(window.tableView()->viewport(), Qt::LeftButton, {},
                      window.tableView()->visualItemRect(window.tableView()->item(1, 0)).center());
    EXPECT_EQ(window.titleTextField()->text(), QStringLiteral("two"));
    EXPECT_EQ(window.savedTextRecordIndexTextField()->text(), QStringLiteral("1"));
    type("TWO", "second, edited");
    QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    EXPECT_EQ(titles(collection), QStringList({"one", "TWO", "three"}));

    // Deleting the second shows the snippet that moved into its place.
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(titles(collection), QStringList({"one", "three"}));
    EXPECT_EQ(window.titleTextField()->text(), QStringLiteral("three"));
    EXPECT_EQ(window.savedTextRecordIndexTextField()->text(), QStringLiteral("1"));

    // Deleting the last shows the first; deleting everything empties the fields.
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(window.titleTextField()->text(), QStringLiteral("one"));
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(collection.count(), 0);
    EXPECT_EQ(window.savedTextLabel()->text(), QStringLiteral("0 text saved"));
    EXPECT_TRUE(window.titleTextField()->text().isEmpty());
}

TEST_F(SavedTextWindowTest, IndexFieldRules)
{
    collection.append({"a", "1"});
    collection.append({"b", "2"});
    collection.append({"c", "3"});
    window.refreshTableView();
    // An out-of-range index deletes nothing.
    window.savedTextRecordIndexTextField()->setText("7");
    QTest::mouseClick(window.deleteButton(), Qt::LeftButton);
    EXPECT_EQ(collection.count(), 3);
    // Saving with an empty index field appends rather than replacing.
    window.savedTextRecordIndexTextField()->clear();
    type("d", "4");
    QTest::mouseClick(window.saveButton(), Qt::LeftButton);
    EXPECT_EQ(titles(collection), QStringList({"a", "b", "c", "d"}));
    // A negative index appends too.
    window.updateSavedTextRecord(-5);
    EXPECT_EQ(collection.count(), 5);
}

TEST_F(SavedTextWindowTest, TextBoxTextIsAddedAndPastedBackAsOneUndoStep)
{
    SKTDocument doc;
    auto text = std::make_shared<SKTText>();
    text->setTextString("Hello");
    doc.insertGraphics({text}, {0});
    doc.undoManager().closeAutomaticGroup();
    const int before = doc.undoManager().undoCount();

    window.addText("kept words", QDateTime(QDate(2026, 3, 4), QTime(10, 0)));
    EXPECT_EQ(collection.records().value(0), (SavedTextRecord{"Added Mar 04 2026,  Wednesday at 10:00 AM", "kept words"}));

    window.setChooseHandler([&] {
        window.hide();
        SavedTextCollection::pullInto(*text, window.textView()->toPlainText(), &doc.undoManager());
    });
    QTest::mouseClick(window.chooseButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(text->textString(), QStringLiteral("Hello\nkept words"));
    EXPECT_EQ(doc.undoManager().undoCount(), before + 1);
    EXPECT_EQ(doc.undoManager().undoActionName(), QStringLiteral("Paste Saved Text"));
    ASSERT_TRUE(doc.undoManager().undo());
    EXPECT_EQ(text->textString(), QStringLiteral("Hello"));
}
