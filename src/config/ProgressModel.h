#pragma once
// The state of the one "Please wait" window, kept apart from the window
// itself so that any thread may report progress. Writers take a lock and
// return at once; the window (config/ui/ProgressWindowPresenter) hears about
// changes on the main thread only, and a burst of updates reaches it at most
// once per throttle interval. Showing, hiding and finishing are passed on
// without delay.
#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>

struct ProgressState {
    // A window exists (shown or put away); what the original kept as the
    // process-wide controller reference.
    bool hasController = false;
    bool visible = false;
    QString statusText;
    QString fileText;
    double levelValue = 0.0;
    double levelMaximum = 10.0;
    bool levelVisible = true;
    bool spinnerVisible = true;
    bool spinner2Visible = false;
    bool raiseWhenShown = false;
    // Changes whenever a fresh window is wanted.
    uint64_t windowSerial = 0;
    // Changes whenever a task reported its last step: the main window is
    // made opaque and brought to the front again.
    uint64_t finishedSerial = 0;
    // A Cancel button is shown while a cancel handler is set.
    bool cancelVisible = false;
};

class ProgressModel : public QObject {
    Q_OBJECT
public:
    static ProgressModel &instance();

    // A fresh window in its starting state, shown.
    void show(bool raiseWhenShown = false);
    // The second form used while sheets are composed: no level bar, the
    // second spinner running.
    void showMainThreadForm(bool raiseWhenShown = false);
    // Puts the window away but keeps it.
    void hide();
    void update(int32_t completed, int32_t total, const QString &text);
    // Hides the window and drops it.
    void dismiss();
    // Sets the status and file lines and the level bar as they stand, without the
    // counting text of update().
    void setTexts(const QString &status, const QString &file, double value, double maximum);
    // Offers a Cancel button that calls handler (on the main thread) until the next
    // show() or dismiss(); an empty handler removes the button.
    void setCancelHandler(std::function<void()> handler);
    // What the Cancel button does.
    void cancel();

    ProgressState state() const;
    int throttleInterval() const;
    void setThrottleInterval(int milliseconds);

signals:
    // Emitted on the main thread.
    void stateChanged();

private:
    ProgressModel();
    void resetForShow(bool raiseWhenShown);
    void requestNotify(bool urgent);
    void deliver();
    void emitNow();

    mutable QMutex m_mutex;
    ProgressState m_state;
    bool m_posted = false;
    bool m_urgent = false;
    int m_interval = 100;
    QElapsedTimer m_sinceLastEmit;
    QTimer *m_timer = nullptr;
    std::function<void()> m_cancelHandler;
};
