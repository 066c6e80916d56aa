#pragma once
// The grid windows' rebuild of a table after Save changed its counts, and
// the trim of a gallery: the insertion subsystem's grid model, recorded as
// a whole-grid change inside the window's undo step, so that undo of Save
// brings back the cells and pictures as well as the counts.
#include "insertion/GridInsertion.h"

class SKTDocument;

class TableRefresh : public GridInsertion {
public:
    explicit TableRefresh(SKTDocument &document) : m_document(document) {}
    void refreshTable(SKTTable &table) override;
    void refreshGalleryImage(SKTGalleryGrid &gallery) override;

private:
    SKTDocument &m_document;
};
