#pragma once
// Export of all source files: the project's work copy written as plain files
// into "<project>_SourceFiles" inside a folder the user picks, each page under
// its publishing file name (responsive editions: the page's freshly made
// publishing version). Regeneration opens the pages and so runs on the main
// thread; the copying then works on a snapshot of the page list on a worker,
// into a staging folder beside the destination that takes the final name
// only when it is complete. A replaced export folder goes to the trash.
// Failures are listed to the user instead of "Export Complete".
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ProjectPages;

struct SourceFilesExportPlan {
    struct Page {
        QString local;    // pageLocalFileName in the work copy
        QString publish;  // pagePublishFileName
    };
    QString workCopy;
    QString scratch;      // where the publishing versions are written
    QString exportFolder;
    bool responsive = false;
    QList<Page> pages;
};

struct SourceFilesExportResult {
    QString staging;      // the finished copy, not yet under its final name
    QStringList failures;
    qint64 filesCopied = 0;
    bool cancelled = false;  // the user stopped at the panel or the question
};

class SourceFilesExport {
public:
    // chosen/<project folder name without blanks>_SourceFiles
    static QString exportFolderFor(const QString &chosenFolder, const QString &openWebsiteFolder);
    // The snapshot the worker copies from.
    static SourceFilesExportPlan plan(const ProjectPages &project, const QString &chosenFolder);
    // Main thread: empties the scratch folder and, in responsive editions,
    // writes each page's publishing version into it. The page shown before
    // is shown again. Answers the pages that could not be regenerated.
    static QStringList regenerate(ProjectPages &project, const SourceFilesExportPlan &plan);
    // Any thread: copies into the staging folder, puts the publishing
    // versions and names in place. progress(done, total) is called now and then.
    static SourceFilesExportResult copy(const SourceFilesExportPlan &plan,
                                        const std::function<void(qint64 done, qint64 total)> &progress = {});
    // Main thread: moves a previous export to the trash (asking again when
    // the trash refuses) and gives the staging folder the final name.
    static void finish(const SourceFilesExportPlan &plan, SourceFilesExportResult &result, QObject *window);

    // The whole command: folder panel, "File Name Conflict" question,
    // regeneration, the copy on a worker with progress, and the closing alert.
    // done (optional) gets the result on the main thread, also after a cancel.
    static void exportAllFileTo(ProjectPages &project, QObject *window,
                                const std::function<void(const SourceFilesExportResult &)> &done = {});
    static void showExportCompleteAlert(const QString &exportFolder, const QStringList &failures, QObject *window);
};
