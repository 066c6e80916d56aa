#pragma once
// What a drag over the page listing carries: a page icon of the listing
// (private type, "DragAndDrop/<page file name>") reorders; a page file from
// outside (text/uri-list) is copied in after asking; anything else is
// refused while it hovers.
#include <QString>

class QMimeData;

class PageDrop {
public:
    enum class Kind { Refused, Reorder, CopyFile };
    static constexpr const char *kPageMimeType = "application/x-zov-page";

    static Kind judge(const QMimeData *data);
    // The dragged page's file name (Reorder), "" otherwise.
    static QString draggedPageName(const QMimeData *data);
    // The dropped page file's local path (CopyFile), "" otherwise.
    static QString droppedFilePath(const QMimeData *data);
    // The payload of a page icon's drag.
    static QByteArray pagePayload(const QString &pageName);
};
