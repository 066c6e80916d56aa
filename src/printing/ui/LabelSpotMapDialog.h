#pragma once
// The spot map: a window-modal sheet over the document window showing the
// label sheet's grid as toggle buttons at a third of print-view size. Each
// click toggles a spot between its name ("2 x 3") and "Selected"; "Print
// Preview" hands the chosen spots on, Cancel closes the map; each spot's
// context menu prints or exports the label on that spot alone.
#include "printing/LabelSpotPlan.h"

#include <QDialog>

#include <functional>

class QPushButton;

class LabelSpotMapDialog : public QDialog {
    Q_OBJECT
public:
    LabelSpotMapDialog(const LabelSpotPlan &plan, QWidget *window);

    const LabelSpotPlan &plan() const { return plan_; }
    QPushButton *spotButton(int32_t tag) const;
    QPushButton *printButton() const { return printButton_; }

signals:
    // The chosen spots as (column, row), 0-based.
    void printSpots(const QList<QPoint> &spots);
    // A spot's own menu: the label on that spot alone (0-based), printed or
    // exported as PDF.
    void singleSpot(int32_t row, int32_t column, bool print);

private:
    LabelSpotPlan plan_;
    QList<QPushButton *> buttons_;
    QPushButton *printButton_ = nullptr;
};
