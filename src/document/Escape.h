#pragma once
// Escaping of user text for each place of the generated page. Every text the
// user typed (titles, alternative texts, captions, links, targets, alert
// texts, form settings, marker values) passes through the helper for the
// place it lands in, so that no value can close its attribute, CSS rule,
// script or PHP string. The typographic substitution of the page (curly
// quotes and dashes to plain characters, a few symbols to HTML entities) is
// applied here, on the user text before it is escaped, and never on the
// finished page: done afterwards it would turn a curly quote into a plain
// quote inside an already escaped string.
#include <QString>

class Escape {
public:
    Escape() = delete;

    // Curly single quotes to "'", curly double quotes to '"', em dash to "-".
    static QString plainQuotes(const QString &text);
    // plainQuotes, then © ® £ ¢ ¥ € ¿ to their HTML entities.
    static QString typographic(const QString &text);

    // Text or attribute value in HTML: plainQuotes, then & < > " ' as
    // entities, then the symbol entities.
    static QString html(const QString &text);
    // html() in double quotes: for attribute values (href, target, title, alt).
    static QString quotedAttribute(const QString &text);

    // A value inside a CSS rule, plain or between double quotes (font family,
    // template name, stored editing properties): plainQuotes, then every
    // character that could end the value, the rule or the style element is
    // dropped (; { } < > " \ and line breaks).
    static QString cssValue(const QString &text);

    // Inside a JavaScript string literal, single- or double-quoted:
    // typographic, then \ ' " and line breaks escaped, "</" written "<\/".
    static QString jsString(const QString &text);
    // Inside a single-quoted PHP literal: typographic, then \ and '.
    static QString phpSingle(const QString &text);
    // Inside a double-quoted PHP literal: typographic, then \ " $ and line breaks.
    static QString phpDouble(const QString &text);

    // Colours. A stored colour is six hex digits (any case) or "CLEAR0".
    static bool isHexColour(const QString &text);
    // text when it is six hex digits or "CLEAR0", else fallback.
    static QString storedColour(const QString &text, const QString &fallback);
    // The CSS value of a stored colour: "#RRGGBB", "transparent" for "CLEAR0"
    // and an empty text, and "" (leave the declaration out) for anything else.
    static QString cssColour(const QString &text);

    // A name that may become part of a file name in the page folder: only
    // ASCII letters, digits, "_" and "-", 1 to 100 characters. Image names
    // and types that fail this write no file.
    static bool isPlainName(const QString &text);
    // A page name that may name a folder inside the work folder: not empty,
    // not "." or "..", no path separator and no control character.
    static bool isSafeFolderName(const QString &text);
};
