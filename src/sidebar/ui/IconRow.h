#pragma once
// What the palette's entries and the FORMAT and LAYER rows share: an icon
// and a rich-text label that let clicks through to the row, the bold title
// with its grey description, and the light grey of a highlighted row.
#include <QString>

class QLabel;
class QPaintEvent;
class QWidget;

namespace IconRow {
struct Labels {
    QLabel *icon = nullptr;
    QLabel *text = nullptr;
};
Labels makeLabels(QWidget *row);
// title is plain text; descriptionHtml is already escaped.
QString labelText(const QString &title, const QString &descriptionHtml);
void paintHighlight(QWidget *row, QPaintEvent *event);
} // namespace IconRow
