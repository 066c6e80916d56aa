#pragma once
// A row of the FORMAT and LAYER tabs: an icon, the bold title with its grey
// description, and the controls its owner places below. LAYER rows are
// clickable: a click highlights the row and asks for its graphic to be added
// to the selection; FORMAT rows pass clicks to their controls.
#include <QString>
#include <QWidget>

class QLabel;

class FormatIconView : public QWidget {
    Q_OBJECT
public:
    FormatIconView(const QString &title, const QString &description, const QString &imageName,
                   QWidget *parent = nullptr);

    QString objectTitle() const { return m_title; }
    // The border colour row of a selected line reads "Color - Line".
    void setTitleAndDescription(const QString &title, const QString &description);
    bool supportsHighlightFlag() const { return m_supportsHighlight; }
    void setSupportsHighlightFlag(bool on) { m_supportsHighlight = on; }
    bool highlightFlag() const { return m_highlight; }
    void setHighlightFlag(bool on);
    int objectIndex() const { return m_objectIndex; }
    void setObjectIndex(int index) { m_objectIndex = index; }
    QString labelText() const;
    void setupSubViews();

signals:
    void clicked(FormatIconView *row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString m_title;
    QString m_description;
    QLabel *m_iconView = nullptr;
    QLabel *m_label = nullptr;
    bool m_supportsHighlight = false;
    bool m_highlight = false;
    int m_objectIndex = 0;
};
