#pragma once
// One command, one undo step: everything done between construction and
// destruction is grouped and named, so undo restores the page as it was
// before the command, however many graphics it inserted or moved.
#include <QString>
#include <QStringList>
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
    InsertionStep(const InsertionStep &) = delete;
    InsertionStep &operator=(const InsertionStep &) = delete;

private:
    SKTDocument &m_document;
    QString m_name;
};
