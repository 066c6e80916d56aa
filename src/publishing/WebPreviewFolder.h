#pragma once
// The folders previews show: a desktop preview shows a fresh copy of the page's
// folder, each in a folder of its own under the work folder's "tempFiles", so two
// previews in quick succession never share one; the copies go when the document
// closes (removeAll).
#include <QString>
#include <QStringList>
#include <QUrl>

class WebPreviewFolder {
public:
    WebPreviewFolder() = default;
    ~WebPreviewFolder();
    WebPreviewFolder(const WebPreviewFolder &) = delete;
    WebPreviewFolder &operator=(const WebPreviewFolder &) = delete;

    // Copies sourceFolder whole into a new folder under workFolder/"tempFiles" and
    // answers the copy's path (empty when the copy could not be made).
    QString makeCopy(const QString &sourceFolder, const QString &workFolder);
    // Removes every copy this object made.
    void removeAll();
    const QStringList &copies() const { return copies_; }

    // A local php page (a web form): the preview shows only its source.
    static bool isLocalPhpPage(const QUrl &url);
    static QString phpNoticeTitle();
    static QString phpNoticeText();

private:
    QStringList copies_;
};
