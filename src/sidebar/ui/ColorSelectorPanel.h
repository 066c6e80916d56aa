#pragma once
// The swatch grid of the colour pop-over: 20 swatches a row from the
// edition's palette, the transparent swatch first (disabled for text and
// border), the current colour marked. A click applies the swatch to the
// selection by the target and marks only that swatch.
#include "sidebar/ColorPicking.h"

#include <QWidget>

class QAbstractButton;
class QLineEdit;

class ColorSelectorPanel : public QWidget {
    Q_OBJECT
public:
    ColorSelectorPanel(SelectionProxy &selection, ColorTarget target, const QStringList &palette,
                       const QString &currentHex, QWidget *parent = nullptr);
    QList<QAbstractButton *> swatches() const { return m_swatches; }
    bool isMarked(int index) const;
    // The hex of the last pick (colorHexCodeTextField).
    QString pickedHex() const { return m_pickedHex; }
    // The canvas target needs the page; the window hands it in.
    void setCanvasTarget(SKTDocument *document, PageColorSink *sink)
    {
        m_document = document;
        m_sink = sink;
    }

private:
    void pickedAColor(int index);

    SelectionProxy &m_selection;
    ColorTarget m_target;
    QList<ColorPicking::Swatch> m_grid;
    QList<QAbstractButton *> m_swatches;
    QString m_pickedHex;
    SKTDocument *m_document = nullptr;
    PageColorSink *m_sink = nullptr;
};
