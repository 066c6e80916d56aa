#pragma once
// The palette's dropped code names answered by this subsystem: sections,
// tables, composites, slideshows, form fields, pictures and PDF pages, and
// section backgrounds. They reach the canvas through the registry of drop
// makers (registerDropMakers), so a drop on any canvas finds them.
#include <QPointF>
#include <QStringList>

class InsertionFrame;
struct DropCodeName;

class PageInsertions {
public:
    // Inserts what the code name stands for at the point, as one undo step;
    // the pictures, PDF pages and section background ask for their files
    // first and land when the panel answers. False when nothing was inserted
    // or asked for.
    static bool insertCodeName(InsertionFrame &frame, const DropCodeName &code, const QPointF &point);

    // The drop actions answered here.
    static QStringList dropActions();
    // Hands these makers to DropMakers by action name.
    static void registerDropMakers();
};
