#pragma once
// The makers of palette drops that live outside the canvas (tables, sections,
// navigation bars, form items, family relations ...), by the drop row's
// action name. Each subsystem adds its makers once at start-up; the canvas's
// insertion side runs them when a row with that action is dropped.
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>

class InsertionFrame;
struct DropCodeName;

namespace DropMakers {

// A maker answers whether it inserted anything.
using Maker = std::function<bool(InsertionFrame &frame, const DropCodeName &row, const QPointF &point)>;

// Registering a name again replaces the maker; an empty maker takes the name out.
void add(const QString &action, Maker maker);
bool has(const QString &action);
// Runs the maker registered for the row's action; false when there is none.
bool run(InsertionFrame &frame, const DropCodeName &row, const QPointF &point);

// The snippet a code-name row with action addSnippet_drag inserts, and its frame size.
QString snippetCode(const QString &argument);
QSizeF snippetSize(const QString &argument);

}  // namespace DropMakers
