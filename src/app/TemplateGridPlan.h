#pragma once
// Where the chooser puts things, computed without a widget: the category
// buttons down the left column and the thumbnails of the category shown in a
// three-column grid. All cells are spaced by the first thumbnail's size.
#include "app/TemplateGallery.h"

#include <QList>
#include <algorithm>
#include <QRect>
#include <QSize>
#include <QString>

class TemplateGridPlan {
public:
    static constexpr int kColumns = 3;

    // Indexes (into icons) of the thumbnails shown for a category: every one for "all".
    static QList<int> visibleIcons(const QList<TemplateIcon> &icons, const QString &categoryFolder);
    // Lays out the given thumbnails (their own sizes, in order).
    static TemplateGridPlan layout(const QList<QSize> &sizes);
    static TemplateGridPlan layout(const QList<TemplateIcon> &icons, const QString &categoryFolder);
    // The category button at index i of the column.
    static QRect categoryButtonFrame(int index) { return QRect(0, 50 * index, 230, 50); }
    static QSize categoryColumnSize(int count) { return QSize(230, std::max(600, 50 * count)); }

    QList<int> iconIndexes;  // which icons, in grid order (tag = position)
    QList<QRect> frames;     // one per shown thumbnail
    QSize cell{200, 200};
    int rows = 0;
    QSize documentSize;      // the grid's document view
};
