#pragma once
// Which addresses a link field takes and which names an element-id field
// takes. A published page writes these texts into its markup, so anything
// that could run script or leave the attribute is refused with a reason the
// field can show beside itself.
#include <QString>

class LinkPolicy {
public:
    LinkPolicy() = delete;
    // Empty when the text is acceptable as a link: empty (no link), http,
    // https, mailto and tel addresses, relative addresses and "#" anchors.
    static QString refusalForLink(const QString &text);
    static bool isAcceptableLink(const QString &text) { return refusalForLink(text).isEmpty(); }
    // Empty when the text is an element id (letters, digits, "-" and "_",
    // starting with a letter) or empty. With several allowed, ids may be
    // separated by commas (the on-click fields show or hide several elements).
    static QString refusalForElementIds(const QString &text, bool several);
};
