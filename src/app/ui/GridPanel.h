#pragma once
// The alignment-grid panel: switches the active canvas's grid on and off and
// its snapping, by sending the canvas's own grid commands.
#include <QWidget>

class QPushButton;

class GridPanel : public QWidget {
    Q_OBJECT
public:
    explicit GridPanel(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *m_show = nullptr;
    QPushButton *m_constrain = nullptr;
};
