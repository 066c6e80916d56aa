#include "sidebar/ui/ColorSelectorPanel.h"

#include "config/DataCentreColours.h"

#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace {
QIcon swatchIcon(const QString &hex)
{
    QPixmap pixmap(20, 20);
    if (hex == ColorPicking::clearEntry()) {
        // Transparent: a small grey and white chequer.
        pixmap.fill(Qt::white);
        QPainter p(&pixmap);
        for (int y = 0; y < 20; y += 5)
            for (int x = (y / 5) % 2 * 5; x < 20; x += 10)
                p.fillRect(x, y, 5, 5, QColor(0xcc, 0xcc, 0xcc));
        p.setPen(QPen(Qt::red, 1.5));
        p.drawLine(2, 18, 18, 2);
    } else {
        pixmap.fill(DataCentreColours::colorWithHexString(hex));
    }
    return QIcon(pixmap);
}
} // namespace

ColorSelectorPanel::ColorSelectorPanel(SelectionProxy &selection, ColorTarget target, const QStringList &palette,
                                       const QString &currentHex, QWidget *parent)
    : QWidget(parent), m_selection(selection), m_target(target)
{
    m_grid = ColorPicking::swatchGrid(palette, target, currentHex);
    setFixedSize(ColorPicking::gridSize(palette));
    for (int i = 0; i < m_grid.size(); ++i) {
        auto *b = new QToolButton(this);
        b->setGeometry(m_grid[i].frame);
        b->setIcon(swatchIcon(m_grid[i].hex));
        b->setIconSize(QSize(18, 18));
        b->setCheckable(true);
        b->setChecked(m_grid[i].marked);
        b->setAutoRaise(!m_grid[i].marked);
        b->setEnabled(m_grid[i].enabled);
        b->setToolTip(m_grid[i].hex);
        connect(b, &QToolButton::clicked, this, [this, i] { pickedAColor(i); });
        m_swatches.append(b);
    }
}

bool ColorSelectorPanel::isMarked(int index) const
{
    return m_swatches.value(index) && m_swatches[index]->isChecked();
}

void ColorSelectorPanel::pickedAColor(int index)
{
    for (int i = 0; i < m_swatches.size(); ++i) {
        auto *b = static_cast<QToolButton *>(m_swatches[i]);
        b->setChecked(i == index);
        b->setAutoRaise(i != index);
    }
    m_pickedHex = m_grid[index].hex;
    if (m_target == ColorTarget::Canvas) {
        if (m_document)
            ColorPicking::setCanvasColor(*m_document, m_pickedHex, m_sink);
        return;
    }
    ColorPicking::pickedAColor(m_selection, m_target, m_pickedHex);
}
