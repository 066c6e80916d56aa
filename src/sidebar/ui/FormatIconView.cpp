#include "sidebar/ui/FormatIconView.h"
#include "sidebar/ui/IconRow.h"

#include "sidebar/SidebarIcons.h"
#include "platform/Bundle.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

FormatIconView::FormatIconView(const QString &title, const QString &description, const QString &imageName,
                               QWidget *parent)
    : QWidget(parent), m_title(title), m_description(description)
{
    const IconRow::Labels labels = IconRow::makeLabels(this);
    m_iconView = labels.icon;
    m_label = labels.text;
    const QString path = Bundle::pathForResource(imageName, QStringLiteral("png"));
    QPixmap picture = path.isEmpty() ? QPixmap() : QPixmap(path);
    if (picture.isNull())
        picture = QPixmap::fromImage(InspectorIcons::image(imageName, 60));
    if (!picture.isNull())
        m_iconView->setPixmap(picture);
    m_label->setText(labelText());
    setupSubViews();
}

void FormatIconView::setTitleAndDescription(const QString &title, const QString &description)
{
    m_title = title;
    m_description = description;
    m_label->setText(labelText());
}

QString FormatIconView::labelText() const
{
    const QString title = QCoreApplication::translate("Inspector", m_title.toUtf8().constData());
    QString description = m_description.toHtmlEscaped();
    description.replace(u'\n', QStringLiteral("<br>"));
    return IconRow::labelText(title, description);
}

void FormatIconView::setupSubViews()
{
    m_iconView->setGeometry(10, 10, 30, 30);
    m_label->setGeometry(50, 8, std::max(0, width() - 60), 36);
}

void FormatIconView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    setupSubViews();
}

void FormatIconView::setHighlightFlag(bool on)
{
    if (m_highlight == on)
        return;
    m_highlight = on;
    update();
}

void FormatIconView::paintEvent(QPaintEvent *event)
{
    if (m_highlight && m_supportsHighlight)
        IconRow::paintHighlight(this, event);
}

void FormatIconView::mousePressEvent(QMouseEvent *event)
{
    if (!m_supportsHighlight) {
        QWidget::mousePressEvent(event);
        return;
    }
    emit clicked(this);
    setHighlightFlag(true);
}
