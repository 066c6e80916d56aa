#pragma once
// Small rules shared by the generators of responsive fragments (text
// elements, snippets, form fields, sections): alignment words,
// colours and the show/hide click script.
#include <QString>
#include <cstdint>

class ResponsiveText {
public:
    ResponsiveText() = delete;
    // 0 left, 1 right, 2 centre, 3 justified; anything else "left".
    static QString alignmentWord(int32_t alignment);
    // A stored colour as a CSS value: "#RRGGBB", "transparent" for "CLEAR0"
    // (and an empty text), "" (leave the declaration out) for anything else.
    static QString colour(const QString &stored);
    // A stored colour kept as an editing property value: the six hex digits
    // or "CLEAR0", "" for anything else.
    static QString storedColour(const QString &stored);
    // An element id inside a double-quoted jQuery selector string "#...":
    // printable ASCII only, selector punctuation escaped for CSS and the
    // escapes themselves escaped for the script string.
    static QString selectorId(const QString &id);
    // "<script>...$("#<clickId>").click(...)..." showing the comma-separated
    // ids of show and hiding those of hide; "" when both are empty.
    static QString clickScript(const QString &clickId, const QString &show, const QString &hide);

    // The hover rules of the element whose class is id, from its stored hover
    // colours: the ":hover" rule, the editing properties keeping the stored
    // colours, and its link rules in textColour (with an "a:hover" rule in the
    // hover text colour when there is one). All "" but links without hover colours.
    struct HoverRules {
        QString hover;
        QString attributes;
        QString links;
    };
    static HoverRules hoverRules(const QString &id, const QString &textColour, const QString &storedHoverColour,
                                 const QString &storedHoverTextColour);
};
