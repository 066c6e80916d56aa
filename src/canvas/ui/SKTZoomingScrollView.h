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
    // The same, keeping the page point under anchor (viewport coordinates) in place.
    void setFactorKeeping(double factor, const QPoint &anchor);
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
    // One entry of the box up (step 1) or down (-1), about the middle of
    // the view; false at either end of the list.
    bool stepZoom(int step);
    bool canStepZoom(int step) const;
    // Back to "100%".
    void zoomToActualSize();

signals:
    void factorChanged(double factor);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool stepZoomKeeping(int step, const QPoint &anchor);
    // Zooms when Ctrl is held (and takes the event); false otherwise.
    bool zoomByWheel(QWheelEvent &event, const QPoint &anchor);
    void layoutRulers();

    SKTGraphicViewWidget *m_canvas = nullptr;
    QComboBox *m_popUp = nullptr;
    double m_factor = 1.0;
    bool m_settingFactor = false;
    // Wheel turns not yet worth a whole notch (Ctrl+wheel zooming).
    int m_wheelRest = 0;
    static constexpr int kWheelNotch = 120;
    CanvasRuler *m_horizontalRuler = nullptr;
    CanvasRuler *m_verticalRuler = nullptr;
};
