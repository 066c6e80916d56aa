#pragma once
// One entry of the object palette: its icon, its bold title and grey
// description; a click highlights it (the owner clears the other entries of
// the same palette), and a drag, in editions that allow dragging onto the
// canvas, carries the entry's code name.
#include "sidebar/PaletteCatalogue.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

class QLabel;

class DragIconView : public QWidget {
    Q_OBJECT
public:
    DragIconView(const PaletteEntry &entry, QWidget *parent = nullptr);

    const PaletteEntry &entry() const { return m_entry; }
    bool highlightFlag() const { return m_highlight; }
    void setHighlightFlag(bool on);
    // The icon shown (30 x 30) and dragged (its own size).
    QImage iconImage() const { return m_icon; }
    // Lays out the icon and the label for the current size.
    void setupSubViews();
    QString labelText() const;

signals:
    void clicked(DragIconView *entry);
    // Pressed and released without dragging.
    void activated(DragIconView *entry);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    PaletteEntry m_entry;
    QImage m_icon;
    QLabel *m_iconView = nullptr;
    QLabel *m_label = nullptr;
    bool m_highlight = false;
    QPoint m_pressPoint;
    bool m_pressed = false;
};
