#pragma once
// The one runner for inserts of many files at once: pictures chosen or
// dropped, gallery and table pictures, slides and the pages of a PDF file.
//
// The jobs (reading, decoding, scaling, drawing and encoding) run on the
// program's worker pool behind the progress window; the document is never
// touched there. When the last job is done, the results are handed to the
// apply function on the main thread, concatenated in job order, so the
// caller places them in its own order as one step. When the page was closed
// or another page opened meanwhile (or the user pressed Cancel, or the
// caller's own check says its target is gone), the results go to the drop
// function instead and the document is left alone.
//
// runNow() runs the same jobs and the same apply at once, for callers that
// need the graphics back before they return.
#include "insertion/InsertionContext.h"
#include "insertion/PageImageService.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class InsertionFrame;
class SKTDocument;
class SKTGraphic;
struct PictureBatchState;

// Calls fn with a frame over the current page of the window the insert came
// from; false when there is none.
// InsertionFrameRunner: see InsertionContext.h.

// The graphic again when a batch's results are ready, or null when it has
// left the page meanwhile; for the batches that fill a grid or a slideshow.
std::function<SKTGraphic *()> graphicStillOnPage(SKTDocument &document, const SKTGraphic *graphic);
template <class T>
std::function<T *()> graphicStillOnPageAs(SKTDocument &document, const SKTGraphic *graphic)
{
    return [find = graphicStillOnPage(document, graphic)]() -> T * { return dynamic_cast<T *>(find()); };
}

// What a job may ask of its batch while it runs on a worker.
class BatchControl {
public:
    explicit BatchControl(std::shared_ptr<PictureBatchState> state) : m_state(std::move(state)) {}
    // True once the result will be dropped: the job may stop early.
    bool cancelled() const;
    // Moves the progress window on by items.
    void advance(int items = 1);
    // Sets how many items the whole batch has, for jobs that learn it only
    // while they run (the pages of a PDF file).
    void setTotal(int items);

private:
    std::shared_ptr<PictureBatchState> m_state;
};

class PictureBatch {
public:
    using Job = std::function<QList<PictureLoad>(BatchControl &)>;
    using Results = std::function<void(QList<PictureLoad> &)>;

    // The text is shown in the progress window beside the count.
    PictureBatch(SKTDocument &document, const QString &progressText);

    // A job and the number of progress items it stands for.
    void addJob(Job job, int items = 1);
    // Asked on the main thread before applying: false drops the results (the
    // grid the pictures were meant for has left the page).
    void setStillWanted(std::function<bool()> check);

    // Starts the jobs and returns at once; apply or dropped follows on the
    // main thread. The batch object itself may go away after start().
    void start(Results apply, Results dropped = {});
    // Runs the jobs on the worker pool, waits for them and applies at once.
    void runNow(const Results &apply);

    // One job for each picture file: read with PageImageService::loadPicture,
    // its original encoded, at most limit wide.
    void addPictureFiles(const QStringList &paths, int32_t limit);

    // How many files batches work on at once: one core is left to the
    // event loop.
    static int workerCount();

    // Batches started and not yet applied or dropped.
    static int pending();

private:
    std::shared_ptr<PictureBatchState> m_state;
};
