#pragma once
// The body steps of reading a page: snippet code lines, the texts of the text
// carriers, the image lines (alternative text and links) and the cells of the
// older profile tables, each taken from the body lines of the page.
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <memory>

struct TextContentResult {
    QStringList bodyStringArray;                     // the body lines not consumed
    QList<std::shared_ptr<myTextView>> inputObjectArray; // the filled carriers
};

class PageBodyText {
public:
    PageBodyText() = delete;

    // Fills each snippet carrier from the lines after its "<div class=PREFIXk>"
    // marker; the consumed lines leave the body. A snippet reaching past the
    // end of the body is a ReadError.
    static TextContentResult grabTextContent(const QStringList &bodyLines,
                                             const QList<std::shared_ptr<myTextView>> &snippets,
                                             const QString &prefix);

    // The body lines indexed by the element class they open ("text3",
    // "image2", ...): the first line naming each class wins.
    class LineIndex {
    public:
        explicit LineIndex(const QStringList &lines);
        // The index of the first line holding "<div class=NAME " or
        // "<div class=NAME>"; -1 when none.
        qsizetype divLine(const QString &className) const;
        // The first line holding "<div class=NAME " or beginning with
        // "<a class=NAME " or holding class="NAME" (or, on responsive pages,
        // "<div class=NAME" followed by anything); -1 when none.
        qsizetype imageLine(const QString &imageName, bool bootstrap) const;

    private:
        QHash<QString, qsizetype> m_div;       // "<div class=NAME" then " " or ">"
        QHash<QString, qsizetype> m_divPrefix; // "<div class=NAME" then anything (by the full word)
        QHash<QString, qsizetype> m_anchor;    // line begins "<a class=NAME "
        QHash<QString, qsizetype> m_quoted;    // class="NAME"
    };

    // The text of a carrier's body line: the element's own tags removed, the
    // rest read back as page text (PageText::fromMarkup), the link and its
    // target into the carrier.
    static void applyTextLine(const QString &line, const QString &className, myTextView &carrier);
    // Alternative text and link of an image from its body line.
    static void applyImageLine(const QString &line, TransformView &image);
    // Cell n takes the body line beginning "<div class=ttextn>".
    static void fillProfileCells(const QStringList &bodyLines, const QList<std::shared_ptr<myTextView>> &cells);

    // Entities of stored text, decoded in one pass (PageText::decodeEntities).
    static QString decodeEntities(QString text);
};
