#pragma once
// Turns an HTML file into a mail body with its local pictures inside the message.
//
// Every picture the page names in a src or background attribute or a CSS url() is
// read, added to the message as a related part and named "cid:<id>" in the HTML. Only
// files inside the page's own folder are taken: a page that names a file elsewhere
// (an absolute path, "../", a link leading out) keeps the reference as it was and the
// file stays on the disk. Web addresses and data: addresses are left alone.
#include "platform/MimeMessage.h"

#include <QString>
#include <QStringList>

class MhtBuilder {
public:
    // Reads the HTML file (any encoding a page file may have) and fills message's HTML body and related parts.
    // False, with the reason in LastErrorText(), when the file cannot be read.
    bool build(const QString &htmlPath, MimeMessage &message);

    // The HTML with its references rewritten, after build().
    QString html() const { return html_; }
    // Files embedded, and references left alone because they lead outside the folder
    // or name no readable file.
    QStringList embeddedFiles() const { return embedded_; }
    QStringList skippedReferences() const { return skipped_; }
    QString LastErrorText() const { return error_; }

    static QString contentTypeFor(const QString &fileName);

private:
    QString html_;
    QStringList embedded_;
    QStringList skipped_;
    QString error_;
};
