#pragma once
// A person's text in the page and back. Every generator and edition writes
// the text a person typed into a text box, a label, a button or a table cell
// through toMarkup(), and the page reader takes it back through fromMarkup(),
// so that what was typed shows as typed and reads back unchanged: no "<" or
// "&" of the person's becomes markup, and no markup of the page's own (the
// line-break tags) becomes text. HTML snippets are markup on purpose and keep
// their text as written; only their line breaks go through breaksToMarkup().
#include <QString>

class PageText {
public:
    PageText() = delete;

    // How a line break is written: "<br>", or (an indented text) a "tab"
    // paragraph for "\n" and "<br>" for the other line-break characters.
    enum class Breaks { Br, TabParagraphs };

    // The typographic substitution, & < > " ' as entities, then the line
    // breaks as tags (CR LF is one break).
    static QString toMarkup(const QString &text, Breaks breaks = Breaks::Br);
    // A person's text as an attribute value (the page's description and
    // keywords): toMarkup's escaping, line breaks as character references so
    // that the value stays on its line of the page. Read back by decodeEntities.
    static QString toAttribute(const QString &text);
    // The line breaks alone as tags: the markup of an HTML snippet.
    static QString breaksToMarkup(const QString &text, Breaks breaks = Breaks::Br);

    // toMarkup() read back: "<br>" and "tab" paragraphs to line breaks, then
    // the entities decoded.
    static QString fromMarkup(const QString &markup);
    // The character references of stored text decoded in one pass, so that
    // "&amp;lt;" gives "&lt;": the named ones pages write (&amp; &lt; &gt;
    // &quot; and the symbol entities) and numeric ones ("&#39;", "&#x27;").
    // Anything else stays as written.
    static QString decodeEntities(const QString &text);

    static bool isLineBreak(QChar c);
};
