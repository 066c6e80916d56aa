// The image files of the page folder: "@2x" and plain versions, originals
// ("o"), masks ("_mask.png") and the background pattern.
#include "document/SKTDocument.h"

#include <QDir>

QString SKTDocument::pageFolderPath() const
{
    if (tempSavePathLocal.isEmpty() || pageName.isEmpty())
        return QString();
    return QDir(tempSavePathLocal).filePath(pageName);
}

bool SKTDocument::saveImage(const ImageElement &)
{
    return false;
}

bool SKTDocument::saveMaskImage(const ImageElement &)
{
    return false;
}

bool SKTDocument::saveBackgroundImage()
{
    return false;
}
