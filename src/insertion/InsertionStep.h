#pragma once
// One command, one undo step: everything done between construction and
// destruction is grouped and named, so undo restores the page as it was
// before the command, however many graphics it inserted or moved.
#include <QString>

class SKTDocument;

class InsertionStep {
public:
    InsertionStep(SKTDocument &document, QString name);
    ~InsertionStep();
    InsertionStep(const InsertionStep &) = delete;
    InsertionStep &operator=(const InsertionStep &) = delete;

private:
    SKTDocument &m_document;
    QString m_name;
};
