#include "insertion/InsertionStep.h"

#include "document/SKTDocument.h"

InsertionStep::InsertionStep(SKTDocument &document, QString name) : m_document(document), m_name(std::move(name))
{
    m_document.undoManager().beginUndoGrouping();
}

InsertionStep::~InsertionStep()
{
    // Named last: attribute changes inside the step name it after themselves.
    m_document.undoManager().setActionName(m_name);
    m_document.undoManager().endUndoGrouping();
}
