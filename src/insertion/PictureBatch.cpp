#include "insertion/PictureBatch.h"

#include "config/ProgressModel.h"
#include "document/DocumentEvents.h"
#include "document/SKTDocument.h"
#include "platform/Tasks.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPointer>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <atomic>
#include <vector>

struct PictureBatchState {
    SKTDocument *document = nullptr;
    // Null once the document is gone; the document pointer is then never used.
    QPointer<DocumentEvents> events;
    QString pageKey;
    QString text;
    std::vector<PictureBatch::Job> jobs;
    std::function<bool()> stillWanted;
    PictureBatch::Results apply;
    PictureBatch::Results dropped;
    QMetaObject::Connection closing;

    std::atomic_bool cancelled{false};
    std::atomic_int done{0};
    std::atomic_int total{0};
    std::atomic_int remaining{0};
    QMutex mutex;
    std::vector<QList<PictureLoad>> results;
    bool background = true;
    QSemaphore finished; // runNow waits on it
};

namespace {
std::atomic_int gPending{0};

// Batches have workers of their own: hundreds of pictures must not hold up
// the rest of the program's background work, and an insert that waits
// (runNow) must not queue behind a batch running in the background.
QThreadPool &backgroundPool()
{
    static QThreadPool pool;
    static const bool sized = (pool.setMaxThreadCount(PictureBatch::workerCount()), true);
    (void)sized;
    return pool;
}

QThreadPool &waitingPool()
{
    static QThreadPool pool;
    return pool;
}
// Progress windows are shared: the last batch to end puts it away.
int gShowing = 0;

// The page a document shows: the same document object reads another page
// when the user switches pages.
QString pageKeyOf(SKTDocument &document)
{
    return document.pageFolderPath() + QLatin1Char('\n') + document.fileURLPath;
}

void report(PictureBatchState &state)
{
    const int total = std::max(state.total.load(), 1);
    // A count that reaches the total closes the window: that is left to the end.
    ProgressModel::instance().update(std::min(state.done.load(), total - 1), total, state.text);
}

void finish(const std::shared_ptr<PictureBatchState> &state)
{
    if (state->events && state->closing)
        QObject::disconnect(state->closing);
    if (--gShowing == 0)
        ProgressModel::instance().dismiss();
    --gPending;
    QList<PictureLoad> all;
    for (QList<PictureLoad> &part : state->results)
        all.append(std::move(part));
    state->results.clear();
    const bool open = state->events && !state->cancelled && pageKeyOf(*state->document) == state->pageKey
        && (!state->stillWanted || state->stillWanted());
    if (open) {
        if (state->apply)
            state->apply(all);
    } else if (state->dropped) {
        state->dropped(all);
    }
    // The callbacks may hold what the caller captured: let it go now.
    state->apply = nullptr;
    state->dropped = nullptr;
    state->stillWanted = nullptr;
}

void runJob(const std::shared_ptr<PictureBatchState> &state, size_t index)
{
    QList<PictureLoad> result;
    if (!state->cancelled) {
        BatchControl control(state);
        result = state->jobs[index](control);
    }
    {
        QMutexLocker lock(&state->mutex);
        state->results[index] = std::move(result);
    }
    if (--state->remaining > 0)
        return;
    if (state->background)
        Tasks::runOnMainThread([state] { finish(state); });
    else
        state->finished.release();
}
} // namespace

bool BatchControl::cancelled() const
{
    return m_state->cancelled;
}

void BatchControl::advance(int items)
{
    m_state->done += items;
    if (m_state->background)
        report(*m_state);
}

void BatchControl::setTotal(int items)
{
    m_state->total = items;
}

PictureBatch::PictureBatch(SKTDocument &document, const QString &progressText)
    : m_state(std::make_shared<PictureBatchState>())
{
    m_state->document = &document;
    m_state->events = &document.events();
    m_state->pageKey = pageKeyOf(document);
    m_state->text = progressText;
}

void PictureBatch::addJob(Job job, int items)
{
    m_state->jobs.push_back(std::move(job));
    m_state->total += items;
}

void PictureBatch::setStillWanted(std::function<bool()> check)
{
    m_state->stillWanted = std::move(check);
}

void PictureBatch::addPictureFiles(const QStringList &paths, int32_t limit)
{
    for (const QString &path : paths)
        addJob([path, limit](BatchControl &control) {
            QList<PictureLoad> one{PageImageService::loadPicture(path, limit)};
            control.advance();
            return one;
        });
}

int PictureBatch::workerCount()
{
    return std::max(1, QThread::idealThreadCount() - 1);
}

int PictureBatch::pending()
{
    return gPending;
}

void PictureBatch::start(Results apply, Results dropped)
{
    auto state = m_state;
    state->apply = std::move(apply);
    state->dropped = std::move(dropped);
    state->background = true;
    state->results.resize(state->jobs.size());
    state->remaining = int(state->jobs.size());
    ++gPending;
    if (gShowing++ == 0)
        ProgressModel::instance().show();
    report(*state);
    // Closing the page stops the work early; what is done is dropped.
    std::weak_ptr<PictureBatchState> weak = state;
    state->closing = QObject::connect(state->events.data(), &QObject::destroyed, [weak] {
        if (auto s = weak.lock())
            s->cancelled = true;
    });
    ProgressModel::instance().setCancelHandler([weak] {
        if (auto s = weak.lock())
            s->cancelled = true;
    });
    if (state->jobs.empty()) {
        // Still later, as the caller was promised.
        QMetaObject::invokeMethod(qApp, [state] { finish(state); }, Qt::QueuedConnection);
        return;
    }
    for (size_t i = 0; i < state->jobs.size(); ++i)
        backgroundPool().start([state, i] { runJob(state, i); });
}

void PictureBatch::runNow(const Results &apply)
{
    auto state = m_state;
    state->background = false;
    state->results.resize(state->jobs.size());
    state->remaining = int(state->jobs.size());
    for (size_t i = 0; i < state->jobs.size(); ++i)
        waitingPool().start([state, i] { runJob(state, i); });
    if (!state->jobs.empty())
        state->finished.acquire();
    QList<PictureLoad> all;
    for (QList<PictureLoad> &part : state->results)
        all.append(std::move(part));
    state->results.clear();
    if (apply)
        apply(all);
}

std::function<SKTGraphic *()> graphicStillOnPage(SKTDocument &document, const SKTGraphic *graphic)
{
    std::weak_ptr<SKTGraphic> weak;
    for (const auto &g : document.graphics())
        if (g.get() == graphic)
            weak = g;
    SKTDocument *page = &document;
    return [page, weak]() -> SKTGraphic * {
        const auto shared = weak.lock();
        if (!shared)
            return nullptr;
        for (const auto &g : page->graphics())
            if (g == shared)
                return shared.get();
        return nullptr;
    };
}
