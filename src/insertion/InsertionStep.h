#pragma once
// One command, one undo step: everything done between construction and
// destruction is grouped and named, so undo restores the page as it was
// before the command, however many graphics it inserted or moved.
#include <QString>
#include <QStringList>
#include <QList>
#include <QPair>
#include <QRectF>
#include <QVariantMap>
#include <memory>

class SKTDocument;
class SKTGraphic;

class InsertionStep {
public:
    InsertionStep(SKTDocument &document, QString name);
    ~InsertionStep();

    // Records the current values of keys that the document does not record
    // itself (arrows, section placement), before they change, so that undo
    // and redo bring them back. The graphic must be on the page.
    static void recordValues(SKTDocument &document, SKTGraphic &graphic, const QStringList &keys);
    static void recordValues(SKTDocument &document, const QList<SKTGraphic *> &graphics, const QStringList &keys);
    // Moves many graphics as one recorded change: one pass over the page
    // however many move, where recording each move on its own would look
    // every graphic up in the page again.
    static void setBounds(SKTDocument &document, const QList<QPair<SKTGraphic *, QRectF>> &moves);
    InsertionStep(const InsertionStep &) = delete;
    InsertionStep &operator=(const InsertionStep &) = delete;

private:
    SKTDocument &m_document;
    QString m_name;
};
