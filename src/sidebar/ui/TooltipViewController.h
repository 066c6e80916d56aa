#pragma once
// The tooltip pop-over's content: the selected images' tooltip text (first
// line only) and Save.
#include "sidebar/SelectionProxy.h"

#include <QFrame>

#include <functional>

class QLineEdit;
class QPushButton;

class TooltipViewController : public QFrame {
    Q_OBJECT
public:
    explicit TooltipViewController(QWidget *parent = nullptr);
    QLineEdit *tooltipTextbox() const { return m_text; }
    QPushButton *saveButton() const { return m_save; }
    void applyTooltip(SelectionProxy &selection, const QString &existingTooltip, std::function<void()> done);
    void saveTooltip();

private:
    SelectionProxy *m_selection = nullptr;
    std::function<void()> m_done;
    QLineEdit *m_text;
    QPushButton *m_save;
};
