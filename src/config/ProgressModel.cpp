#include "config/ProgressModel.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QThread>

ProgressModel &ProgressModel::instance()
{
    static ProgressModel *model = new ProgressModel;
    return *model;
}

ProgressModel::ProgressModel()
{
    // The first caller may be a worker: the model always lives on the main
    // thread so that its signal and timer run there.
    if (QCoreApplication *app = QCoreApplication::instance(); app && thread() != app->thread())
        moveToThread(app->thread());
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &ProgressModel::emitNow);
}

void ProgressModel::resetForShow(bool raiseWhenShown)
{
    m_state.hasController = true;
    m_state.visible = true;
    m_state.statusText = QStringLiteral("Please wait");
    m_state.fileText = QString();
    m_state.levelValue = 0.0;
    m_state.levelMaximum = 10.0;
    m_state.levelVisible = true;
    m_state.spinnerVisible = true;
    m_state.spinner2Visible = false;
    m_state.raiseWhenShown = raiseWhenShown;
    m_state.cancelVisible = false;
    m_cancelHandler = nullptr;
    ++m_state.windowSerial;
}

void ProgressModel::show(bool raiseWhenShown)
{
    {
        QMutexLocker lock(&m_mutex);
        resetForShow(raiseWhenShown);
    }
    requestNotify(true);
}

void ProgressModel::showMainThreadForm(bool raiseWhenShown)
{
    {
        QMutexLocker lock(&m_mutex);
        resetForShow(raiseWhenShown);
        m_state.levelVisible = false;
        m_state.spinner2Visible = true;
    }
    requestNotify(true);
}

void ProgressModel::hide()
{
    {
        QMutexLocker lock(&m_mutex);
        m_state.visible = false;
    }
    requestNotify(true);
}

void ProgressModel::update(int32_t completed, int32_t total, const QString &text)
{
    const bool finished = completed == total;
    {
        QMutexLocker lock(&m_mutex);
        if (m_state.hasController) {
            m_state.statusText = QStringLiteral("Please wait: %1/%2 completed").arg(completed).arg(total);
            m_state.levelMaximum = total;
            m_state.levelValue = completed;
            m_state.fileText = text;
        }
        if (finished) {
            m_state.visible = false;
            ++m_state.finishedSerial;
        }
    }
    requestNotify(finished);
}

void ProgressModel::dismiss()
{
    {
        QMutexLocker lock(&m_mutex);
        if (!m_state.hasController)
            return;
        m_state.hasController = false;
        m_state.visible = false;
        m_state.cancelVisible = false;
        m_cancelHandler = nullptr;
    }
    requestNotify(true);
}

void ProgressModel::setTexts(const QString &status, const QString &file, double value, double maximum)
{
    {
        QMutexLocker lock(&m_mutex);
        if (!m_state.hasController)
            return;
        m_state.statusText = status;
        m_state.fileText = file;
        m_state.levelValue = value;
        m_state.levelMaximum = maximum;
    }
    requestNotify(false);
}

void ProgressModel::setCancelHandler(std::function<void()> handler)
{
    {
        QMutexLocker lock(&m_mutex);
        m_cancelHandler = std::move(handler);
        m_state.cancelVisible = bool(m_cancelHandler);
    }
    requestNotify(true);
}

void ProgressModel::cancel()
{
    std::function<void()> handler;
    {
        QMutexLocker lock(&m_mutex);
        handler = m_cancelHandler;
    }
    if (handler)
        handler();
}

ProgressState ProgressModel::state() const
{
    QMutexLocker lock(&m_mutex);
    return m_state;
}

int ProgressModel::throttleInterval() const
{
    QMutexLocker lock(&m_mutex);
    return m_interval;
}

void ProgressModel::setThrottleInterval(int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    m_interval = qMax(0, milliseconds);
}

void ProgressModel::requestNotify(bool urgent)
{
    {
        QMutexLocker lock(&m_mutex);
        m_urgent = m_urgent || urgent;
        // Work on the main thread gives the event loop no chance to run:
        // the window hears at once (at most once per interval) and redraws.
        const bool now = QThread::currentThread() == thread()
                         && (m_urgent || !m_sinceLastEmit.isValid() || m_sinceLastEmit.elapsed() >= m_interval);
        if (!now) {
            if (!m_posted) {
                m_posted = true;
                QMetaObject::invokeMethod(this, &ProgressModel::deliver, Qt::QueuedConnection);
            }
            return;
        }
    }
    emitNow();
}

void ProgressModel::deliver()
{
    int wait = 0;
    {
        QMutexLocker lock(&m_mutex);
        m_posted = false;
        if (!m_urgent && m_sinceLastEmit.isValid())
            wait = int(qMax<qint64>(0, m_interval - m_sinceLastEmit.elapsed()));
    }
    if (wait > 0) {
        if (!m_timer->isActive())
            m_timer->start(wait);
        return;
    }
    emitNow();
}

void ProgressModel::emitNow()
{
    m_timer->stop();
    {
        QMutexLocker lock(&m_mutex);
        m_urgent = false;
        m_sinceLastEmit.start();
    }
    emit stateChanged();
}
