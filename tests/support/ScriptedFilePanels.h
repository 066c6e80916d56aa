#pragma once
// File panels for tests: each panel shown is recorded and answered with the next
// scripted paths (an empty answer is a cancel; no script at all cancels too).
// Installs itself as FilePanels::current() while it lives.
#include "platform/FilePanels.h"

#include <QList>
#include <QStringList>
#include <QTimer>

class ScriptedFilePanels : public FilePanels {
public:
    ScriptedFilePanels() { FilePanels::setCurrent(this); }
    ~ScriptedFilePanels() override { FilePanels::setCurrent(nullptr); }

    void answer(const QStringList &paths) { answers_.append(paths); }
    void answer(const QString &path) { answers_.append(QStringList{path}); }
    void answerCancel() { answers_.append(QStringList()); }
    // Drops the answers no panel took.
    void clearAnswers() { answers_.clear(); }

    // Answers from the event loop after the show call has returned, as a
    // window-modal panel on screen does, instead of at once.
    void setAnswersLater(bool later) { later_ = later; }

    const QList<OpenPanelOptions> &openPanels() const { return open_; }
    const QList<SavePanelOptions> &savePanels() const { return save_; }

    void showOpenPanel(const OpenPanelOptions &options, QObject *, OpenCompletion completion) override
    {
        open_.append(options);
        const QStringList paths = answers_.isEmpty() ? QStringList() : answers_.takeFirst();
        if (completion && later_)
            QTimer::singleShot(0, [completion, paths] { completion(paths); });
        else if (completion)
            completion(paths);
    }
    void showSavePanel(const SavePanelOptions &options, QObject *, SaveCompletion completion) override
    {
        save_.append(options);
        const QStringList paths = answers_.isEmpty() ? QStringList() : answers_.takeFirst();
        const QString path = paths.isEmpty() ? QString() : paths.first();
        if (completion && later_)
            QTimer::singleShot(0, [completion, path] { completion(path); });
        else if (completion)
            completion(path);
    }

private:
    QList<QStringList> answers_;
    QList<OpenPanelOptions> open_;
    QList<SavePanelOptions> save_;
    bool later_ = false;
};
