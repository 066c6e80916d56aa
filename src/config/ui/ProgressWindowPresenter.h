#pragma once
// Keeps the progress window in step with ProgressModel, on the main thread.
// Install it once at start-up; from then on every DataCentre progress call,
// from any thread, shows up in the window.
#include "config/ui/ProgressIndicatorWindowController.h"

#include <QObject>
#include <QPointer>
#include <memory>

class ProgressWindowPresenter : public QObject {
    Q_OBJECT
public:
    static ProgressWindowPresenter *install();
    static ProgressWindowPresenter *instance();

    // The current window, or none.
    ProgressIndicatorWindowController *window() const { return m_window.get(); }

    // Applies the model's state now instead of at the next notification.
    void refresh();

private:
    explicit ProgressWindowPresenter(QObject *parent);
    ~ProgressWindowPresenter() override;
    void restoreMainWindow();
    void saveFrame();

    std::unique_ptr<ProgressIndicatorWindowController> m_window;
    uint64_t m_windowSerial = 0;
    uint64_t m_finishedSerial = 0;
};
