// The text the source window shows for the current page.
#include "document/SKTDocument.h"

QString SKTDocument::emptySourceCodeText()
{
    return QStringLiteral("Oops, no source code generated, please request again");
}

QString SKTDocument::sourceCodeForDisplay(bool responsive)
{
    // Publishing, the preview and the source view generate with this mark,
    // which the direct page save tests for.
    FTPUploadFlag = 999;
    if (pageName.isEmpty())
        pageName = QStringLiteral("untitled");
    const QString text = generateSourceCode(pageName, responsive, false);
    FTPUploadFlag = 0;
    return text.isEmpty() ? emptySourceCodeText() : text;
}
