#pragma once
// One column of the section column editor, drawn at half scale: a gold pane
// with a black border and the column's numbered button, carrying the
// column's spans of the twelve-column grid per screen size.
#include "sidebar/SectionColumnEditing.h"

#include <QWidget>

class QPushButton;

class SectionView : public QWidget {
    Q_OBJECT
public:
    SectionView(int number, const SectionColumn &column, int paneWidth, QWidget *parent = nullptr);

    QPushButton *button() const { return m_button; }
    SectionColumn &column() { return m_column; }
    const SectionColumn &column() const { return m_column; }
    // The pane width the editor first showed (a pane left alone keeps its column's width).
    int shownPaneWidth() const { return m_shownPaneWidth; }
    QSize sizeHint() const override { return {m_shownPaneWidth, 80}; }

signals:
    void buttonClicked(SectionView *view);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPushButton *m_button = nullptr;
    SectionColumn m_column;
    int m_shownPaneWidth = 0;
};
