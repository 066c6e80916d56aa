#pragma once
// Personalised pages: one copy of the current page per chosen contact, inside the
// open project, each with the personalisation tags replaced by that contact's values.
//
// The source page is never deleted or replaced: each copy is written under a
// temporary name and renamed into place, and a name already taken gets "_2", "_3" …
// A copy that fails is listed at the end and the others go on. However the run ends,
// the window comes back and is told to read the project again ("websiteUpdated").
#include "platform/Contacts.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class ProjectPages;
class ProjectWindowHost;
class SKTDocument;

class MergePages {
public:
    // project: the open project (its document is the page shown); host: the window
    // (made invisible while the copies are made); window: where alerts go.
    MergePages(ProjectPages &project, ProjectWindowHost *host = nullptr, QObject *window = nullptr);

    struct Outcome {
        QStringList created;  // file names of the pages made, in contact order
        QStringList failed;   // one line per contact whose page could not be made
    };

    // Makes the pages for the contacts (gContactMergeList when none are given).
    // Does nothing without an open project; an empty list gets the "Please define
    // contact list" alert. The document shows the last page made.
    Outcome populatePersonalizedDocuments();
    Outcome populatePersonalizedDocuments(const QList<Contacts::MergeRecord> &contacts);

    // The tags of gPersonalizationTags replaced in every text area of document.
    static void replacePersonalizedTags(SKTDocument &document, const Contacts::MergeRecord &contact);

    // Copies the page source to target in folder: written beside, then renamed; an
    // existing target is never replaced. False with the reason in *error.
    static bool duplicateDocument(const QString &folder, const QString &source, const QString &target,
                                  QString *error = nullptr);

    // text with every "[PAGE_NUMBER]" replaced by the document's place in the project
    // (from 0; -1 when the project does not list it).
    QString replacePageNumbers(const QString &text) const;

private:
    // Gives a copied package its working copy in the project's working folder, under
    // its own name, as opening a page of the project expects it.
    bool copyWorkingPage(const QString &packagePath, const QString &sourceStem, QString *error);

    ProjectPages &project_;
    ProjectWindowHost *host_;
    QObject *window_;
};
