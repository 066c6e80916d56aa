#include "sidebar/ui/FormatIconView.h"

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
    m_iconView = new QLabel(this);
    m_iconView->setScaledContents(true);
    const QString path = Bundle::pathForResource(imageName, QStringLiteral("png"));
    QPixmap picture = path.isEmpty() ? QPixmap() : QPixmap(path);
    if (picture.isNull())
        picture = QPixmap::fromImage(InspectorIcons::image(imageName, 60));
    if (!picture.isNull())
        m_iconView->setPixmap(picture);
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::RichText);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setTextInteractionFlags(Qt::NoTextInteraction);
    m_iconView->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
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
    return QStringLiteral("<span style=\"font-weight:bold; font-size:12px; color:#000000\">%1</span> "
                          "<span style=\"font-size:10px; color:#404040\">%2</span>")
        .arg(title.toHtmlEscaped(), description);
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
    if (!(m_highlight && m_supportsHighlight))
        return;
    QPainter p(this);
    p.fillRect(event->rect(), QColor(0xF5, 0xF5, 0xF5));
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
