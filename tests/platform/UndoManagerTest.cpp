#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// A document of one number whose setter records its own undo, as the model does.
struct Counter {
    UndoManager undo;
    int value = 0;
    void set(int v)
    {
        const int old = value;
        value = v;
        undo.registerUndo([this, old] { set(old); });
    }
    void idle() { QCoreApplication::processEvents(); }
};

}  // namespace

TEST(UndoManager, ChangesOfOneEventPassAreOneStep)
{
    Counter c;
    c.set(1);
    c.set(2);
    EXPECT_TRUE(c.undo.canUndo()) << "the step being recorded can already be undone";
    c.idle();
    c.set(3);
    c.idle();
    EXPECT_EQ(c.undo.undoCount(), 2);
    c.undo.undo();
    EXPECT_EQ(c.value, 2);
    EXPECT_TRUE(c.undo.undo());
    EXPECT_EQ(c.value, 0) << "both changes of the first pass undone together, last first";
    EXPECT_FALSE(c.undo.canUndo());
    EXPECT_FALSE(c.undo.undo()) << "nothing left to undo";
}

TEST(UndoManager, UndoBecomesRedoAndBack)
{
    Counter c;
    c.set(5);
    c.idle();
    c.undo.undo();
    EXPECT_EQ(c.value, 0);
    ASSERT_TRUE(c.undo.canRedo());
    c.undo.redo();
    EXPECT_EQ(c.value, 5);
    EXPECT_TRUE(c.undo.canUndo());
    EXPECT_FALSE(c.undo.canRedo());
    c.undo.undo();
    c.undo.redo();
    c.undo.undo();
    EXPECT_EQ(c.value, 0);
}

TEST(UndoManager, UndoClosesTheOpenStepFirst)
{
    Counter c;
    c.set(1);
    c.idle();
    c.set(2);  // not idle yet
    c.undo.undo();
    EXPECT_EQ(c.value, 1);
    c.undo.undo();
    EXPECT_EQ(c.value, 0);
}

TEST(UndoManager, NewChangeDropsRedo)
{
    Counter c;
    c.set(1);
    c.idle();
    c.undo.undo();
    ASSERT_TRUE(c.undo.canRedo());
    c.set(9);
    EXPECT_FALSE(c.undo.canRedo());
}

TEST(UndoManager, ExplicitGroupSpansEvents)
{
    Counter c;
    c.undo.beginUndoGrouping();  // mouse down
    for (int x = 1; x <= 5; ++x) {
        c.set(x * 10);  // mouse moved
        c.idle();
    }
    EXPECT_EQ(c.undo.undoCount(), 0) << "the drag is not over";
    c.undo.endUndoGrouping();  // mouse up
    c.idle();
    EXPECT_EQ(c.undo.undoCount(), 1);
    EXPECT_EQ(c.undo.groupingLevel(), 0);
    c.undo.undo();
    EXPECT_EQ(c.value, 0);
    c.undo.redo();
    EXPECT_EQ(c.value, 50);
}

TEST(UndoManager, NestedGroupsWithoutEventGrouping)
{
    Counter c;
    c.undo.setGroupsByEvent(false);
    c.undo.beginUndoGrouping();
    c.set(1);
    c.undo.beginUndoGrouping();
    c.set(2);
    c.undo.endUndoGrouping();
    EXPECT_EQ(c.undo.undoCount(), 0);
    c.undo.endUndoGrouping();
    EXPECT_EQ(c.undo.undoCount(), 1);
    c.undo.beginUndoGrouping();
    c.undo.endUndoGrouping();
    EXPECT_EQ(c.undo.undoCount(), 1) << "an empty group is no step";
    c.undo.undo();
    EXPECT_EQ(c.value, 0);
}

TEST(UndoManager, UndoClosesALoneExplicitGroupFirst)
{
    Counter c;
    c.undo.setGroupsByEvent(false);
    c.undo.beginUndoGrouping();
    c.set(1);
    c.set(2);
    EXPECT_TRUE(c.undo.undo()) << "at nesting level one the open group is closed and undone";
    EXPECT_EQ(c.value, 0);
    EXPECT_EQ(c.undo.groupingLevel(), 0);

    c.undo.beginUndoGrouping();
    c.undo.beginUndoGrouping();
    c.set(3);
    EXPECT_FALSE(c.undo.undo()) << "inside nested groups the step is not finished";
    EXPECT_EQ(c.value, 3);
}

TEST(UndoManager, StrayEndInsideAnUndoLeavesTheReplayWhole)
{
    Counter c;
    c.undo.registerUndo([&] {
        c.undo.endUndoGrouping();  // unbalanced, from a closure
        c.set(7);
    });
    c.idle();
    EXPECT_TRUE(c.undo.undo());
    EXPECT_EQ(c.value, 7);
    EXPECT_TRUE(c.undo.canRedo());
    c.undo.redo();
    EXPECT_EQ(c.value, 0);
}

TEST(UndoManager, ActionNamesAndMenuTitles)
{
    Counter c;
    EXPECT_EQ(c.undo.undoMenuItemTitle(), "Undo");
    EXPECT_EQ(c.undo.redoMenuItemTitle(), "Redo");
    c.set(1);
    c.undo.setActionName("Move");
    EXPECT_EQ(c.undo.undoMenuItemTitle(), "Undo Move");
    c.idle();
    c.set(2);
    c.idle();
    c.undo.setActionName("Resize");  // names the last step when none is open
    EXPECT_EQ(c.undo.undoMenuItemTitle(), "Undo Resize");
    c.undo.undo();
    EXPECT_EQ(c.undo.redoMenuItemTitle(), "Redo Resize");
    EXPECT_EQ(c.undo.undoMenuItemTitle(), "Undo Move");
    c.undo.redo();
    EXPECT_EQ(c.undo.undoMenuItemTitle(), "Undo Resize");
}

TEST(UndoManager, LevelsLimitKeepsTheNewestSteps)
{
    Counter c;
    c.undo.setLevelsOfUndo(2);
    for (int v = 1; v <= 4; ++v) {
        c.set(v);
        c.idle();
    }
    EXPECT_EQ(c.undo.undoCount(), 2);
    c.undo.undo();
    c.undo.undo();
    EXPECT_EQ(c.value, 2);
    EXPECT_FALSE(c.undo.canUndo());
}

TEST(UndoManager, DisabledRegistrationRecordsNothing)
{
    Counter c;
    c.undo.disableUndoRegistration();
    c.undo.disableUndoRegistration();
    c.set(1);  // loading a page
    c.undo.enableUndoRegistration();
    c.set(2);
    c.undo.enableUndoRegistration();
    c.idle();
    EXPECT_FALSE(c.undo.canUndo());
    EXPECT_FALSE(c.undo.isDocumentEdited());
    c.set(3);
    c.idle();
    EXPECT_TRUE(c.undo.canUndo());
}

TEST(UndoManager, ChangeCountTracksTheEditedState)
{
    Counter c;
    QList<bool> edited;
    QObject::connect(&c.undo, &UndoManager::documentEditedChanged, [&](bool e) { edited << e; });
    c.set(1);
    c.idle();
    EXPECT_TRUE(c.undo.isDocumentEdited());
    c.undo.undo();
    EXPECT_FALSE(c.undo.isDocumentEdited()) << "back to what was loaded";
    c.undo.redo();
    c.undo.markClean();  // saved
    EXPECT_FALSE(c.undo.isDocumentEdited());
    c.undo.undo();
    EXPECT_TRUE(c.undo.isDocumentEdited()) << "undoing past the save differs from the file";
    c.undo.redo();
    EXPECT_FALSE(c.undo.isDocumentEdited());
    EXPECT_EQ(edited, (QList<bool>{true, false, true, false, true, false}));
    c.undo.noteChange();
    EXPECT_TRUE(c.undo.isDocumentEdited());
}

TEST(UndoManager, ChangeAfterUndoingPastTheSaveStaysEdited)
{
    Counter c;
    c.set(1);
    c.idle();
    c.undo.markClean();  // saved with value 1
    c.undo.undo();       // value 0, one step before the file
    c.set(2);            // the redo step back to the saved state is gone
    c.idle();
    EXPECT_EQ(c.undo.changeCount(), 0);
    EXPECT_TRUE(c.undo.isDocumentEdited()) << "value 2 is not what the file holds";
    c.undo.undo();
    c.undo.redo();
    EXPECT_TRUE(c.undo.isDocumentEdited());
    c.undo.markClean();
    EXPECT_FALSE(c.undo.isDocumentEdited());

    // Undoing past the save and redoing back still counts as saved.
    c.set(3);
    c.idle();
    c.undo.markClean();
    c.undo.undo();
    c.undo.undo();
    c.undo.redo();
    c.undo.redo();
    EXPECT_FALSE(c.undo.isDocumentEdited());
}

TEST(UndoManager, TargetsAndRemoval)
{
    Counter c;
    auto graphic = std::make_unique<QObject>();
    int graphicCalls = 0;
    c.undo.registerUndo(graphic.get(), [&] { ++graphicCalls; });
    c.set(1);
    c.idle();
    graphic.reset();
    c.undo.undo();
    EXPECT_EQ(graphicCalls, 0) << "no closure runs for a destroyed target";
    EXPECT_EQ(c.value, 0);

    QObject other;
    c.undo.removeAllActions();
    c.undo.registerUndo(&other, [] {});
    c.undo.closeAutomaticGroup();
    ASSERT_TRUE(c.undo.canUndo());
    c.undo.removeAllActionsWithTarget(&other);
    EXPECT_FALSE(c.undo.canUndo());
}

TEST(UndoManager, StateChangedForMenus)
{
    Counter c;
    int changes = 0;
    QObject::connect(&c.undo, &UndoManager::stateChanged, [&] { ++changes; });
    c.set(1);
    c.idle();
    EXPECT_GT(changes, 0);
    const int before = changes;
    c.undo.undo();
    EXPECT_GT(changes, before);
}

// Changes that follow from a step later on (a timer after a drag) go into
// that step while it is still the last one: one undo and one redo take
// them all, and the document counts one change. Once another step came
// between, or the step was undone, they make a step of their own.
TEST(UndoManager, FollowOnChangesJoinTheirStepWhileItIsTheLast)
{
    Counter c;
    c.set(1);
    const quint64 drag = c.undo.currentStep();
    EXPECT_NE(drag, 0u);
    c.idle();
    c.undo.continueStep(drag, [&c] {
        c.set(2);
        c.set(3);
    });
    EXPECT_EQ(c.undo.undoCount(), 1);
    EXPECT_EQ(c.undo.changeCount(), 1);
    EXPECT_TRUE(c.undo.undo());
    EXPECT_EQ(c.value, 0);
    EXPECT_TRUE(c.undo.redo());
    EXPECT_EQ(c.value, 3);
    EXPECT_FALSE(c.undo.canRedo());

    // Another change came between: the follow-on changes are a step of their own.
    c.set(4);
    const quint64 older = c.undo.currentStep();
    c.idle();
    c.set(5);
    c.idle();
    c.undo.continueStep(older, [&c] { c.set(6); });
    c.idle();
    EXPECT_EQ(c.undo.undoCount(), 4);
    EXPECT_TRUE(c.undo.undo());
    EXPECT_EQ(c.value, 5);

    // The step was undone: a replayed step is never reopened.
    const quint64 undone = c.undo.currentStep();
    EXPECT_TRUE(c.undo.undo());
    EXPECT_EQ(c.value, 4);
    c.undo.continueStep(undone, [&c] { c.set(7); });
    c.idle();
    EXPECT_TRUE(c.undo.undo());
    EXPECT_EQ(c.value, 4);
}
