#pragma once
// What the passes of one page generation share: the document and the
// generator's arguments, the pieces of text each pass appends to (joined by
// the page assembly), the right-edge list, the free-standing fragments, the
// form pieces, and the per-run lookups (stacking values, custom fonts, the
// next image name) that keep every pass linear in the size of the page.
#include "document/CodeWidgetHelper.h"
#include "generation/FormSortHelper.h"
#include "document/ImageElement.h"
#include "document/TextElement.h"

#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>

class SKTDocument;
class SKTGraphic;

class GenerationContext {
public:
    GenerationContext(SKTDocument &document, const QString &pageName, bool responsive, bool saveImages);
    ~GenerationContext();
    GenerationContext(const GenerationContext &) = delete;
    GenerationContext &operator=(const GenerationContext &) = delete;

    SKTDocument &doc;
    const QString pageName;   // the generator's page-name argument: the image folder
    const bool responsiveFlag; // the argument as given
    const bool responsiveLayout; // the argument and gResponsiveEdition together
    const bool saveImages;

    // --- pieces, each grown by appending ------------------------------------------
    // (Those that grow with the page start empty but with the memory the last
    // generation's had: see GenerationContext.cpp.)
    QString metaBlock;          // keywords/description meta block (driver)
    QString centringRule;       // "#content{...}" or empty (driver)
    QString pageColour;         // six hex digits or "CLEAR0" (driver)
    QString slideshowCSS;       // slideshow pass
    QString slideshowButtonCSS; // slideshow pass
    QString slideshowScripts;   // slideshow pass
    QString slideshowMarkup;    // slideshow pass
    QString galleryGridCSS;     // gallery pass
    QString tableGridCSS;       // table pass
    QString snippetCSS;         // snippet pass
    QString snippetMarkup;      // snippet pass
    QString lineCSS;            // line pass
    QString imageCSS;           // image pass
    QString retinaBlock;        // image pass; starts "@media(-webkit-min-device-pixel-ratio: 2) {"
    QString imageMarkup;        // image pass
    QString textCSS;            // text pass
    QString textMarkup;         // text pass
    QString galleryCaptionCSS;  // text pass
    QString phpVariableLines;   // text pass, read by the form mailer
    QList<FormSortHelper> formRecords; // text pass, read by the form mailer
    QString formBlock;          // form mailer (form pages only)

    // Right edges (x + width, whole pixels) of what the passes placed.
    QList<int32_t> rightEdges;
    // Responsive fragments that lie in no section cell (the assembly places them).
    QList<CodeWidgetHelper> freeFragments;

    // An empty string written into text's memory, which it takes from text,
    // when nothing else shares text and text has room for size characters
    // (and not far more); else an empty string of its own.
    static QString reuseIfUnshared(QString &text, qsizetype size);

    // --- shared rules ---------------------------------------------------------------
    // manualLayerIndex when not 0, else count of graphics minus the graphic's index.
    int32_t stackingValue(const SKTGraphic *graphic) const;
    // The stacking value a gallery or table handed to one of its members
    // (images and cells), for the image and text passes; 0 when none was set.
    void setContainerStackingValue(const void *member, int32_t z) { m_memberZ.insert(member, z); }
    int32_t containerStackingValue(const void *member) const { return m_memberZ.value(member, 0); }
    // "fixed" when scrollFlag is 1, else "absolute".
    static QString positionKeyword(int32_t scrollFlag);
    // The stored template name: path extension removed,
    // nil, empty and "(null)" replaced by the document's mainTemplateName.
    QString templateNameFor(const QString &stored) const;
    // Marks the custom font of that family as used (the page asks for it).
    void markFontUsed(const QString &family);
    // The next free image name of the page ("image" and a number), counting
    // the page's images and slides and the names handed out in this run.
    QString nextImageName();
    // Is the graphic inside one of the page's sections?
    bool isGraphicInASection(const SKTGraphic *graphic) const;
    // Index of the graphic in the page's graphics, -1 when it is not on the page (O(1)).
    qsizetype indexOfGraphic(const SKTGraphic *graphic) const { return m_index.value(graphic, -1); }

    // The section fragments of the responsive editions, arranged once per
    // generation and shared by the form mailer and the page assembly.
    QList<CodeWidgetHelper> arrangedSections;
    bool sectionsArranged = false;

private:
    QHash<const SKTGraphic *, int32_t> m_index;
    int32_t m_graphicCount = 0;
    QHash<const void *, int32_t> m_memberZ;
    QHash<QString, qsizetype> m_fontIndex;
    int32_t m_nextImageNumber = -1;
    std::weak_ptr<const void> m_docLifetime; // the document may die first
};
