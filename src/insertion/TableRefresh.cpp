#include "insertion/TableRefresh.h"

#include "insertion/TableGridEditing.h"
#include "insertion/TableGridUndo.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTTable.h"

void TableRefresh::refreshTable(SKTTable &table)
{
    TableGridUndo::edit(m_document, table, [&] { TableGridEditing::refreshTable(table); });
}

void TableRefresh::refreshGalleryImage(SKTGalleryGrid &gallery)
{
    TableGridUndo::edit(m_document, gallery, [&] { TableGridEditing::refreshGalleryImage(gallery); });
}
