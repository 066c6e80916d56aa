#pragma once
// The scroll view around the canvas, with a zoom pop-up at the left end of
// the horizontal scroll bar and keys that step through its factors. The
// canvas keeps its page coordinates; only the drawing is scaled.
#include <QScrollArea>

class CanvasRuler;
class QComboBox;
class SKTGraphicViewWidget;

class SKTZoomingScrollView : public QScrollArea {
    Q_OBJECT
public:
    explicit SKTZoomingScrollView(QWidget *parent = nullptr);

    void setCanvas(SKTGraphicViewWidget *canvas);
    SKTGraphicViewWidget *canvas() const { return m_canvas; }
    double factor() const { return m_factor; }
    void setFactor(double factor);
    // Selects the pop-up entry with this title and zooms to its factor.
    void updateScale(const QString &title, double factor);
    QComboBox *factorPopUpButton() const { return m_popUp; }
    // The titles "5%" … "600%" and their factors.
    static QStringList zoomTitles();
    // The two rulers along the top and left of the canvas.
    void setShowsRulers(bool on);
    bool showsRulers() const { return m_horizontalRuler != nullptr; }
    CanvasRuler *horizontalRuler() const { return m_horizontalRuler; }
    CanvasRuler *verticalRuler() const { return m_verticalRuler; }
    static double factorOfTitle(const QString &title);

signals:
    void factorChanged(double factor);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool stepZoom(int step);
    void layoutRulers();

    SKTGraphicViewWidget *m_canvas = nullptr;
    QComboBox *m_popUp = nullptr;
    double m_factor = 1.0;
    CanvasRuler *m_horizontalRuler = nullptr;
    CanvasRuler *m_verticalRuler = nullptr;
};
