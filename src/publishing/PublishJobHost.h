#pragma once
// What a publish job needs from the window that runs it: where its alerts go, and the
// windows and page changes that end a job. The document window implements it.
#include <QRectF>
#include <QString>

class QObject;

class PublishJobHost {
public:
    virtual ~PublishJobHost() = default;

    // The window the job's alerts belong to (null: application-wide).
    virtual QObject *publishWindow() = 0;
    // A job started (running) or ended; publishing commands are disabled meanwhile.
    virtual void publishingChanged(bool running) { (void)running; }
    // The share window, labelled with label, for the published address.
    virtual void showShareWindow(const QString &address, const QString &label) = 0;
    // The connection log window with the log of the last job.
    virtual void showConnectionLog(const QString &log) = 0;
    // A text box on the page whose text links to link.
    virtual void addLinkTextBox(const QString &text, const QString &link, const QRectF &frame)
    {
        (void)text;
        (void)link;
        (void)frame;
    }
    // The mail editions go on to send the design (or show its source) once its
    // picture is on the server.
    virtual void mailDesignUploaded() {}
};
