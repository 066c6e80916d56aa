#include "platform/UndoManager.h"

#include <QTimer>

#include <algorithm>

bool UndoManager::Group::empty() const
{
    for (const Item &item : items) {
        if (item.action || (item.group && !item.group->empty()))
            return false;
    }
    return true;
}

UndoManager::UndoManager(QObject *parent) : QObject(parent) {}

UndoManager::~UndoManager() = default;

void UndoManager::registerUndo(std::function<void()> action)
{
    registerUndo(nullptr, std::move(action));
}

void UndoManager::registerUndo(QObject *target, std::function<void()> action)
{
    if (!action || !isUndoRegistrationEnabled())
        return;
    openAutomaticGroupIfNeeded();
    // A fresh change (not one replayed by undo or redo) makes the redo steps meaningless.
    if (!undoing_ && !redoing_ && !redoStack_.empty()) {
        redoStack_.clear();
        noteLostSavedState();
        emit stateChanged();
    }
    Item item;
    item.action = std::move(action);
    item.target = target;
    item.hasTarget = target != nullptr;
    open_.back()->items.push_back(std::move(item));
}

std::unique_ptr<UndoManager::Group> UndoManager::newStep()
{
    auto group = std::make_unique<Group>();
    group->id = ++lastStepId_;
    return group;
}

void UndoManager::openAutomaticGroupIfNeeded()
{
    if (!open_.empty())
        return;
    open_.push_back(newStep());
    // Undo and redo open their own group and close it themselves.
    if (!undoing_ && !redoing_ && groupsByEvent_) {
        automaticOpen_ = true;
        scheduleAutomaticClose();
    }
}

void UndoManager::scheduleAutomaticClose()
{
    if (closeScheduled_)
        return;
    closeScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        closeScheduled_ = false;
        closeAutomaticGroup();
    });
}

void UndoManager::beginUndoGrouping()
{
    // Like a registration, an explicit group lies inside the step of this event pass.
    if (open_.empty() && !undoing_ && !redoing_ && groupsByEvent_) {
        open_.push_back(newStep());
        automaticOpen_ = true;
        scheduleAutomaticClose();
    }
    open_.push_back(open_.empty() ? newStep() : std::make_unique<Group>());
}

void UndoManager::endUndoGrouping()
{
    if (open_.empty())
        return;
    // Unbalanced ends: neither the automatic level nor the group of an undo or redo in
    // progress is the caller's to close.
    if (open_.size() == 1 && (automaticOpen_ || undoing_ || redoing_))
        return;
    closeTopGroup();
    if (automaticOpen_ && open_.size() == 1)
        scheduleAutomaticClose();
}

void UndoManager::closeTopGroup()
{
    std::unique_ptr<Group> group = std::move(open_.back());
    open_.pop_back();
    if (open_.empty()) {
        automaticOpen_ = false;
        pushClosed(std::move(group));
        return;
    }
    if (group->empty())
        return;
    // A named inner group lends its name to the step when the step has none.
    if (open_.back()->name.isEmpty())
        open_.back()->name = group->name;
    Item item;
    item.group = std::move(group);
    open_.back()->items.push_back(std::move(item));
}

int UndoManager::groupingLevel() const
{
    return int(open_.size());
}

void UndoManager::closeAutomaticGroup()
{
    if (automaticOpen_ && open_.size() == 1)
        closeTopGroup();
}

void UndoManager::pushClosed(std::unique_ptr<Group> group)
{
    if (group->empty())
        return;
    if (undoing_) {
        redoStack_.push_back(std::move(group));
    } else {
        undoStack_.push_back(std::move(group));
        trim();
        // Undo and redo count their own change; a new step is one more change.
        if (!redoing_)
            setChangeCount(changeCount_ + 1);
    }
    emit stateChanged();
}

void UndoManager::trim()
{
    if (levels_ > 0 && int(undoStack_.size()) > levels_)
        undoStack_.erase(undoStack_.begin(), undoStack_.end() - levels_);
    if (levels_ > 0 && int(redoStack_.size()) > levels_)
        redoStack_.erase(redoStack_.begin(), redoStack_.end() - levels_);
}

quint64 UndoManager::currentStep() const
{
    if (!open_.empty())
        return open_.front()->id;
    return undoStack_.empty() ? 0 : undoStack_.back()->id;
}

void UndoManager::continueStep(quint64 step, const std::function<void()> &changes)
{
    // Open (the same event pass, or an explicit group), the changes join
    // whatever is being recorded; a step that is no longer the last one
    // cannot take them.
    if (step == 0 || !open_.empty() || undoing_ || redoing_ || undoStack_.empty() || undoStack_.back()->id != step
        || !isUndoRegistrationEnabled()) {
        changes();
        return;
    }
    // Reopened as an explicit group, so no automatic close counts it as a
    // new change; put back where it was, with what the changes recorded.
    open_.push_back(std::move(undoStack_.back()));
    undoStack_.pop_back();
    changes();
    while (open_.size() > 1)
        closeTopGroup();
    undoStack_.push_back(std::move(open_.back()));
    open_.pop_back();
    automaticOpen_ = false;
    emit stateChanged();
}

bool UndoManager::canUndo() const
{
    if (!undoStack_.empty())
        return true;
    // A step still being recorded in this pass of the event loop can be undone too.
    return automaticOpen_ && open_.size() == 1 && !open_.front()->empty();
}

bool UndoManager::canRedo() const
{
    return !redoStack_.empty();
}

void UndoManager::runGroup(Group &group)
{
    for (auto it = group.items.rbegin(); it != group.items.rend(); ++it) {
        if (it->group) {
            runGroup(*it->group);
        } else if (it->action && (!it->hasTarget || it->target)) {
            it->action();
        }
    }
}

bool UndoManager::replay(Stack &from, bool undoingStep)
{
    if (undoing_ || redoing_)
        return false;
    closeAutomaticGroup();
    // A lone explicit group is closed first, as an automatic one is; inside nested
    // groups the step is not finished and cannot be replayed.
    if (open_.size() == 1 && !automaticOpen_)
        closeTopGroup();
    if (!open_.empty() || from.empty())
        return false;
    std::unique_ptr<Group> step = std::move(from.back());
    from.pop_back();

    (undoingStep ? undoing_ : redoing_) = true;
    open_.push_back(newStep());
    open_.back()->name = step->name;
    runGroup(*step);
    // Whatever the closures left open belongs to this replay.
    while (open_.size() > 1)
        closeTopGroup();
    std::unique_ptr<Group> reverse = std::move(open_.back());
    open_.pop_back();
    reverse->name = step->name;
    automaticOpen_ = false;
    if (!reverse->empty())
        (undoingStep ? redoStack_ : undoStack_).push_back(std::move(reverse));
    trim();
    (undoingStep ? undoing_ : redoing_) = false;

    setChangeCount(changeCount_ + (undoingStep ? -1 : 1));
    noteLostSavedState();
    emit stateChanged();
    return true;
}

bool UndoManager::undo()
{
    return replay(undoStack_, true);
}

bool UndoManager::redo()
{
    return replay(redoStack_, false);
}

void UndoManager::setActionName(const QString &name)
{
    if (!open_.empty())
        open_.front()->name = name;
    else if (!undoStack_.empty())
        undoStack_.back()->name = name;
    else
        return;
    emit stateChanged();
}

QString UndoManager::undoActionName() const
{
    if (automaticOpen_ && open_.size() == 1 && !open_.front()->empty())
        return open_.front()->name;
    return undoStack_.empty() ? QString() : undoStack_.back()->name;
}

QString UndoManager::redoActionName() const
{
    return redoStack_.empty() ? QString() : redoStack_.back()->name;
}

QString UndoManager::undoMenuItemTitle() const
{
    const QString name = undoActionName();
    return name.isEmpty() ? tr("Undo") : tr("Undo %1").arg(name);
}

QString UndoManager::redoMenuItemTitle() const
{
    const QString name = redoActionName();
    return name.isEmpty() ? tr("Redo") : tr("Redo %1").arg(name);
}

void UndoManager::setLevelsOfUndo(int levels)
{
    levels_ = qMax(0, levels);
    trim();
    noteLostSavedState();
    emit stateChanged();
}

void UndoManager::disableUndoRegistration()
{
    ++disabled_;
}

void UndoManager::enableUndoRegistration()
{
    if (disabled_ > 0)
        --disabled_;
}

void UndoManager::removeAllActions()
{
    undoStack_.clear();
    redoStack_.clear();
    open_.clear();
    automaticOpen_ = false;
    noteLostSavedState();
    emit stateChanged();
}

void UndoManager::removeTarget(Group &group, QObject *target)
{
    for (Item &item : group.items) {
        if (item.group)
            removeTarget(*item.group, target);
        else if (item.hasTarget && item.target == target)
            item.action = nullptr;
    }
}

void UndoManager::removeAllActionsWithTarget(QObject *target)
{
    if (!target)
        return;
    for (Stack *stack : {&undoStack_, &redoStack_}) {
        for (auto &group : *stack)
            removeTarget(*group, target);
        stack->erase(std::remove_if(stack->begin(), stack->end(), [](const auto &g) { return g->empty(); }),
                     stack->end());
    }
    noteLostSavedState();
    for (auto &group : open_)
        removeTarget(*group, target);
    emit stateChanged();
}

void UndoManager::markClean()
{
    const bool wasEdited = isDocumentEdited();
    savedStateLost_ = false;
    changeCount_ = 0;
    if (wasEdited)
        emit documentEditedChanged(false);
    emit stateChanged();
}

void UndoManager::noteLostSavedState()
{
    // Below zero the saved state lies that many redo steps ahead; with fewer left it
    // cannot come back, and counting up again must not make the document look saved.
    if (savedStateLost_ || changeCount_ >= 0 || -changeCount_ <= int(redoStack_.size()))
        return;
    const bool wasEdited = isDocumentEdited();
    savedStateLost_ = true;
    if (!wasEdited)
        emit documentEditedChanged(true);
}

void UndoManager::noteChange()
{
    setChangeCount(changeCount_ + 1);
    emit stateChanged();
}

void UndoManager::setChangeCount(int count)
{
    const bool wasEdited = isDocumentEdited();
    changeCount_ = count;
    if (wasEdited != isDocumentEdited())
        emit documentEditedChanged(isDocumentEdited());
}
