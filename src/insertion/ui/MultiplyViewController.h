#pragma once
// The branch window: how many branches, over what arc, how long, how large
// the branch boxes are and which line joins them. Shown as a pop-over beside
// the selected text box; Add hands the choices to the branch generator.
#include "insertion/LineMaker.h"

#include <QWidget>

class QComboBox;
class QPushButton;

class MultiplyViewController : public QWidget {
    Q_OBJECT
public:
    explicit MultiplyViewController(QWidget *parent = nullptr);

    BranchOptions options() const;
    // Shows the window as a pop-over beside anchor (canvas coordinates of
    // parentWidget), on its left side when there is room.
    void showBeside(QWidget *canvas, const QRect &anchor);

    QComboBox *popupButton = nullptr;
    QComboBox *degreePopUpButton = nullptr;
    QComboBox *distancePopUpButton = nullptr;
    QComboBox *sizePopUpButton = nullptr;
    QComboBox *lineTypePopUpButton = nullptr;
    QPushButton *addButton = nullptr;

signals:
    void addRequested(const BranchOptions &options);
};
