#include "app/TemplateGridPlan.h"

QList<int> TemplateGridPlan::visibleIcons(const QList<TemplateIcon> &icons, const QString &categoryFolder)
{
    QList<int> shown;
    for (qsizetype i = 0; i < icons.size(); ++i)
        if (categoryFolder == QLatin1String("all") || icons.at(i).categoryFolder == categoryFolder)
            shown.append(int(i));
    return shown;
}

TemplateGridPlan TemplateGridPlan::layout(const QList<QSize> &sizes)
{
    TemplateGridPlan plan;
    const int n = int(sizes.size());
    if (n > 0)
        plan.cell = sizes.first();
    plan.rows = (n + kColumns - 1) / kColumns;
    const int w = plan.cell.width();
    const int h = plan.cell.height();
    plan.documentSize = QSize(kColumns * w + 90, (h + 70) * plan.rows);
    for (int k = 0; k < n; ++k) {
        const int r = k / kColumns;
        const int c = k % kColumns;
        plan.frames.append(QRect(QPoint(30 + c * (w + 25), 30 + r * (h + 65)), sizes.at(k)));
    }
    return plan;
}

TemplateGridPlan TemplateGridPlan::layout(const QList<TemplateIcon> &icons, const QString &categoryFolder)
{
    const QList<int> shown = visibleIcons(icons, categoryFolder);
    QList<QSize> sizes;
    for (int index : shown)
        sizes.append(icons.at(index).size);
    TemplateGridPlan plan = layout(sizes);
    plan.iconIndexes = shown;
    return plan;
}
