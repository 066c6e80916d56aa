#include "sidebar/ui/IconRow.h"

#include <QColor>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>

IconRow::Labels IconRow::makeLabels(QWidget *row)
{
    Labels labels;
    labels.icon = new QLabel(row);
    labels.icon->setScaledContents(true);
    labels.text = new QLabel(row);
    labels.text->setTextFormat(Qt::RichText);
    labels.text->setWordWrap(true);
    labels.text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labels.text->setTextInteractionFlags(Qt::NoTextInteraction);
    // Clicks and drags on the icon or the text reach the row.
    labels.icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    labels.text->setAttribute(Qt::WA_TransparentForMouseEvents);
    return labels;
}

QString IconRow::labelText(const QString &title, const QString &descriptionHtml)
{
    return QStringLiteral("<span style=\"font-weight:bold; font-size:12px; color:#000000\">%1</span> "
                          "<span style=\"font-size:10px; color:#404040\">%2</span>")
        .arg(title.toHtmlEscaped(), descriptionHtml);
}

void IconRow::paintHighlight(QWidget *row, QPaintEvent *event)
{
    QPainter p(row);
    p.fillRect(event->rect(), QColor(0xF5, 0xF5, 0xF5));
}
