#include "sidebar/ui/ZovNSTextField.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

ZovNSTextField::ZovNSTextField(QWidget *parent) : QLineEdit(parent)
{
    setAcceptDrops(true);
}

void ZovNSTextField::takeDroppedText(const QString &text)
{
    setText(LinkEditing::pageLinkForDrop(text, m_pages ? m_pages() : QList<ProjectPage>()));
}

void ZovNSTextField::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasText() || event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void ZovNSTextField::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void ZovNSTextField::dropEvent(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    QString text;
    if (mime->hasUrls() && !mime->urls().isEmpty())
        text = mime->urls().first().isLocalFile() ? mime->urls().first().toLocalFile() : mime->urls().first().toString();
    else
        text = mime->text();
    takeDroppedText(text);
    event->acceptProposedAction();
}
