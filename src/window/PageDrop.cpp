#include "window/PageDrop.h"

#include "window/ProjectScan.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {
const QString kPrefix = QStringLiteral("DragAndDrop/");
}

QByteArray PageDrop::pagePayload(const QString &pageName)
{
    return (kPrefix + pageName).toUtf8();
}

QString PageDrop::draggedPageName(const QMimeData *data)
{
    if (!data || !data->hasFormat(QLatin1String(kPageMimeType)))
        return {};
    const QString payload = QString::fromUtf8(data->data(QLatin1String(kPageMimeType)));
    if (!payload.startsWith(kPrefix))
        return {};
    const QString name = payload.mid(kPrefix.size());
    // Only a plain page file name names a page of the listing.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || !ProjectScan::isPageFileName(name))
        return {};
    return name;
}

QString PageDrop::droppedFilePath(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    return ProjectScan::isPageFileName(QFileInfo(path).fileName()) ? path : QString();
}

PageDrop::Kind PageDrop::judge(const QMimeData *data)
{
    if (!draggedPageName(data).isEmpty())
        return Kind::Reorder;
    if (!droppedFilePath(data).isEmpty())
        return Kind::CopyFile;
    return Kind::Refused;
}
