#include "config/ui/ProgressWindowPresenter.h"

#include "platform/UserDefaults.h"

#include <QApplication>
#include <QMainWindow>

namespace {

ProgressWindowPresenter *gPresenter = nullptr;
const char *const kFrameKey = "ProgressIndicatorWindowController Frame";

} // namespace

ProgressWindowPresenter *ProgressWindowPresenter::install()
{
    if (!gPresenter)
        gPresenter = new ProgressWindowPresenter(QCoreApplication::instance());
    return gPresenter;
}

ProgressWindowPresenter *ProgressWindowPresenter::instance()
{
    return gPresenter;
}

ProgressWindowPresenter::ProgressWindowPresenter(QObject *parent) : QObject(parent)
{
    ProgressModel &model = ProgressModel::instance();
    const ProgressState state = model.state();
    m_windowSerial = state.windowSerial;
    m_finishedSerial = state.finishedSerial;
    connect(&model, &ProgressModel::stateChanged, this, &ProgressWindowPresenter::refresh);
    // Widgets must go before the application object tears itself down.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { m_window.reset(); });
    refresh();
}

ProgressWindowPresenter::~ProgressWindowPresenter()
{
    gPresenter = nullptr;
    // Destroyed with the application object, past the point where a widget
    // can still be deleted: the process is ending, so let the window go.
    if (!QCoreApplication::instance())
        (void)m_window.release();
}

void ProgressWindowPresenter::refresh()
{
    const ProgressState state = ProgressModel::instance().state();
    if (!state.hasController) {
        if (m_window) {
            saveFrame();
            m_window.reset();
        }
    } else {
        if (!m_window || state.windowSerial != m_windowSerial) {
            // Each showing gets a fresh window; only its place carries over.
            if (m_window)
                saveFrame();
            m_window = std::make_unique<ProgressIndicatorWindowController>();
            const QByteArray frame =
                QByteArray::fromBase64(UserDefaults::standard().stringForKey(QLatin1String(kFrameKey)).toLatin1());
            if (!frame.isEmpty())
                m_window->restoreGeometry(frame);
            m_windowSerial = state.windowSerial;
        }
        m_window->applyState(state);
        if (state.visible && !m_window->isVisible()) {
            m_window->show();
            if (state.raiseWhenShown)
                m_window->raise();
        } else if (!state.visible && m_window->isVisible()) {
            saveFrame();
            m_window->hide();
        }
    }
    if (state.finishedSerial != m_finishedSerial) {
        m_finishedSerial = state.finishedSerial;
        restoreMainWindow();
    }
}

void ProgressWindowPresenter::restoreMainWindow()
{
    // Work that made its window see-through while busy relies on this.
    QMainWindow *main = qobject_cast<QMainWindow *>(QApplication::activeWindow());
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *candidate = qobject_cast<QMainWindow *>(widget);
        if (!candidate || !candidate->isVisible())
            continue;
        if (candidate->windowOpacity() < 1.0)
            candidate->setWindowOpacity(1.0);
        if (!main)
            main = candidate;
    }
    if (main) {
        main->raise();
        main->activateWindow();
    }
}

void ProgressWindowPresenter::saveFrame()
{
    if (m_window && m_window->isVisible())
        UserDefaults::standard().setString(QString::fromLatin1(m_window->saveGeometry().toBase64()),
                                           QLatin1String(kFrameKey));
}
