#pragma once
// Finds a table cell by (row, column) in constant time. Cells are kept in no
// particular order by the table; the index is rebuilt from their spots
// whenever the cell list or a spot changes, in one linear pass.
#include <QHash>
#include <QList>
#include <cstdint>

class TableGridIndex {
public:
    // spots[i] is the (row, column) of cell i.
    void rebuild(const QList<QPair<int32_t, int32_t>> &spots);
    // Position of the first cell at that spot in the list given to rebuild(), -1 when none.
    int32_t indexAt(int32_t row, int32_t column) const;
    bool isEmpty() const { return index.isEmpty(); }
    void clear() { index.clear(); }

private:
    static quint64 key(int32_t row, int32_t column)
    {
        return (quint64(quint32(row)) << 32) | quint32(column);
    }
    QHash<quint64, int32_t> index;
};
