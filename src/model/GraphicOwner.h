#pragma once
// What a graphic tells the document that owns it. Every attribute change of a
// graphic goes through SKTGraphic's single change path, which calls this with
// the attribute's key and the value it had before, so the owner can record
// undo (by setting the old value back with SKTGraphic::setValue) and redraw.
// A report whose old value equals the current value only asks for a redraw
// (a composite whose cells, pictures or slides changed): record no undo step
// for it. Whether a key is an undo key is asked of the graphic at each report
// (keysForValuesToObserveForUndo), since a graphic may change its set.
#include <QString>
#include <QVariant>

class SKTGraphic;

class GraphicOwner {
public:
    virtual ~GraphicOwner() = default;
    virtual void graphicAttributeChanged(SKTGraphic &graphic, const QString &key, const QVariant &oldValue) = 0;
};
