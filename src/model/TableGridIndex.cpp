#include "model/TableGridIndex.h"

void TableGridIndex::rebuild(const QList<QPair<int32_t, int32_t>> &spots)
{
    index.clear();
    index.reserve(spots.size());
    for (int32_t i = 0; i < spots.size(); ++i) {
        const quint64 k = key(spots[i].first, spots[i].second);
        // The first cell of a spot wins, as a search through the list would find it.
        if (!index.contains(k))
            index.insert(k, i);
    }
}

int32_t TableGridIndex::indexAt(int32_t row, int32_t column) const
{
    return index.value(key(row, column), -1);
}
