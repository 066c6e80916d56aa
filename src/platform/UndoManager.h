#pragma once
// Undo and redo of document changes.
//
// Every change registers one closure that reverts it. Closures registered while
// undoing become the redo step; closures registered while redoing become the undo
// step again. Registrations made during one pass of the event loop form one step:
// the first opens a group and the group closes when the loop next runs idle.
// beginUndoGrouping/endUndoGrouping nest explicit groups inside that step, so a
// whole mouse drag (many events) stays one step.
//
// The change count follows the document's edited state: every closed step adds one,
// undo takes one away, redo adds one back, markClean() resets it. When the steps that
// led back to the saved state are dropped (a new change after undoing past a save),
// the document stays edited until the next markClean().
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class UndoManager : public QObject {
    Q_OBJECT
public:
    explicit UndoManager(QObject *parent = nullptr);
    ~UndoManager() override;

    // Registers the closure that reverts the change just made. With a target, the
    // closure is skipped once the target is destroyed and removeAllActionsWithTarget
    // drops it.
    void registerUndo(std::function<void()> action);
    void registerUndo(QObject *target, std::function<void()> action);

    void beginUndoGrouping();
    void endUndoGrouping();
    int groupingLevel() const;
    // Closes the step that the current pass of the event loop opened (done on its own
    // when the loop runs idle). Does nothing while an explicit group is open.
    void closeAutomaticGroup();
    bool groupsByEvent() const { return groupsByEvent_; }
    void setGroupsByEvent(bool on) { groupsByEvent_ = on; }

    // The step being recorded now, or else the last one closed (0 when there is
    // none). Changes that follow from a step a little later (a timer, a
    // re-layout) are recorded into it with continueStep, so undo and redo take
    // them with it. When that step is no longer the last one (undone, or
    // another change came between), the changes make a step of their own.
    quint64 currentStep() const;
    void continueStep(quint64 step, const std::function<void()> &changes);

    bool canUndo() const;
    bool canRedo() const;
    // Each answers false when there was no step to replay (or a group is still open).
    bool undo();
    bool redo();
    bool isUndoing() const { return undoing_; }
    bool isRedoing() const { return redoing_; }

    // Names the step being recorded (or, when none is open, the last one).
    void setActionName(const QString &name);
    QString undoActionName() const;
    QString redoActionName() const;
    // "Undo" / "Redo", followed by the action name when there is one.
    QString undoMenuItemTitle() const;
    QString redoMenuItemTitle() const;

    // The number of undo steps kept; 0 keeps all.
    void setLevelsOfUndo(int levels);
    int levelsOfUndo() const { return levels_; }

    // Nested: every disable needs its enable. While disabled nothing is recorded.
    void disableUndoRegistration();
    void enableUndoRegistration();
    bool isUndoRegistrationEnabled() const { return disabled_ == 0; }

    void removeAllActions();
    void removeAllActionsWithTarget(QObject *target);

    int changeCount() const { return changeCount_; }
    // Also true once the saved state can no longer be reached by undo or redo (undone
    // past the save, then changed anew), whatever the count says.
    bool isDocumentEdited() const { return savedStateLost_ || changeCount_ != 0; }
    // The document was saved or reverted: what is on screen matches the file.
    void markClean();
    // A change that leaves no undo step still marks the document edited.
    void noteChange();

    int undoCount() const { return int(undoStack_.size()); }
    int redoCount() const { return int(redoStack_.size()); }

signals:
    // Undo/redo availability, titles or the change count changed.
    void stateChanged();
    void documentEditedChanged(bool edited);

private:
    struct Group;
    struct Item {
        std::function<void()> action;
        QPointer<QObject> target;
        bool hasTarget = false;
        std::unique_ptr<Group> group;
    };
    struct Group {
        QString name;
        quint64 id = 0;
        std::vector<Item> items;
        bool empty() const;
    };
    using Stack = std::vector<std::unique_ptr<Group>>;

    void openAutomaticGroupIfNeeded();
    std::unique_ptr<Group> newStep();
    void closeTopGroup();
    void pushClosed(std::unique_ptr<Group> group);
    void trim();
    void runGroup(Group &group);
    bool replay(Stack &from, bool undoing);
    void setChangeCount(int count);
    void noteLostSavedState();
    void scheduleAutomaticClose();
    static void removeTarget(Group &group, QObject *target);

    std::vector<std::unique_ptr<Group>> open_;  // innermost last
    bool automaticOpen_ = false;
    bool closeScheduled_ = false;
    bool groupsByEvent_ = true;
    Stack undoStack_;
    Stack redoStack_;
    bool undoing_ = false;
    bool redoing_ = false;
    int levels_ = 0;
    int disabled_ = 0;
    int changeCount_ = 0;
    quint64 lastStepId_ = 0;
    bool savedStateLost_ = false;
};
