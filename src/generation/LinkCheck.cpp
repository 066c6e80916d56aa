// Small services of page generation: the link normaliser every generated
// link passes through, the line counter, and the tests of what the page uses.
#include "config/DataCentre.h"
#include "document/SKTDocument.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"

QString SKTDocument::verifyLink(const QString &link)
{
    QString result = link.trimmed();
    result.replace(QLatin1Char(' '), QStringLiteral("%20"));
    const qsizetype lineFeed = result.indexOf(QLatin1Char('\n'));
    if (lineFeed >= 0)
        result = DataCentre::zovSubstringToIndex(result, int32_t(lineFeed));
    return result;
}

int32_t SKTDocument::calculateNumOfLines(const QString &text)
{
    // One line per line range: CR LF is one terminator; CR, LF, NEL and the
    // line and paragraph separators are each one.
    int32_t lines = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n) {
            const char16_t c = text[i].unicode();
            ++i;
            if (c == u'\r') {
                if (i < n && text[i] == u'\n')
                    ++i;
                break;
            }
            if (c == u'\n' || c == 0x85 || c == 0x2028 || c == 0x2029)
                break;
        }
        ++lines;
    }
    return lines;
}

bool SKTDocument::isImageInUse(const QString &baseName, const QString &extension, const QList<ImageElement> &images) const
{
    for (const ImageElement &image : images) {
        const QString name = image.imageName();
        if (name.isEmpty())
            continue;
        if (image.templateName() == pageName && image.imageType() == extension
            && (baseName == name || baseName == name + QLatin1String("@2x") || baseName == name + QLatin1Char('o')))
            return true;
        if (image.hasMask() && baseName == name + QLatin1String("_mask"))
            return true;
    }
    if (backgroundImageFlag > 0 && (pageName == QLatin1String("basetemplate") || useBaseTemplateFlag == 0)
        && (baseName == QLatin1String("background") || baseName == QLatin1String("background@2x")
            || baseName == QLatin1String("backgroundo")))
        return true;
    return false;
}

bool SKTDocument::needImagePopupScript() const
{
    for (SKTImage *image : images())
        if (image->imageEnlargeFlag() == 1)
            return true;
    for (SKTSlideshow *show : slideshows())
        for (const auto &slide : show->imageArray())
            if (slide && slide->imageEnlargeFlag == 1)
                return true;
    for (SKTGalleryGrid *gallery : galleries())
        for (const auto &image : gallery->imageArray())
            if (image && image->imageEnlargeFlag == 1)
                return true;
    return false;
}

bool SKTDocument::needJqueryScripts() const
{
    return !slideshows().isEmpty();
}
