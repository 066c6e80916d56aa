#pragma once
// The mask chooser pop-over's content: the shipped mask shapes five a row,
// tinted dark grey, and "Use My Own". A click applies the shape at once and
// leaves the chooser open for another choice; problems show under the grid.
#include "sidebar/SelectionProxy.h"

#include <QWidget>

class QAbstractButton;
class QLabel;
class QPushButton;

class ImageMaskChooser : public QWidget {
    Q_OBJECT
public:
    explicit ImageMaskChooser(SelectionProxy &selection, QWidget *parent = nullptr);
    QList<QAbstractButton *> choices() const { return m_choices; }
    QPushButton *useMyOwnButton() const { return m_own; }
    QLabel *messageLabel() const { return m_message; }

private:
    SelectionProxy &m_selection;
    QList<QAbstractButton *> m_choices;
    QPushButton *m_own;
    QLabel *m_message;
};
