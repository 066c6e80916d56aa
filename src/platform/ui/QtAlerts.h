#pragma once
// Alerts as message boxes: window-modal over a given window, opened without a
// nested event loop; the completion runs when the user answers.
#include "platform/Alerts.h"

class QtAlerts : public Alerts {
public:
    void show(const Alert &alert, QObject *window, Completion completion) override;
};
