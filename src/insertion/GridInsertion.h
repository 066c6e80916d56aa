#pragma once
// What the grid editors need from content insertion: rebuilding a table's
// cells after its counts changed, and dropping a gallery's pictures that fall
// outside its grid. The canvas hands its insertion code in; until then the
// stand-in below rebuilds nothing for tables and drops pictures itself.
class SKTTable;
class SKTGalleryGrid;

class GridInsertion {
public:
    virtual ~GridInsertion() = default;
    virtual void refreshTable(SKTTable &table) = 0;
    virtual void refreshGalleryImage(SKTGalleryGrid &gallery) = 0;
};

class GridInsertionStandIn : public GridInsertion {
public:
    void refreshTable(SKTTable &) override {}
    void refreshGalleryImage(SKTGalleryGrid &gallery) override;
};
