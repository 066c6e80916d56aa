#pragma once
// The page shape of the responsive editions: an HTML5 head with Bootstrap and
// a body made of the page's fragments (its sections and the fragments that
// lie in no section) in top-to-bottom order; for e-mail pages a 100 % wide
// table layout with inline styles.
#include <QString>

class GenerationContext;

struct ResponsivePageParts {
    QString webFonts;     // the web-font link, or empty
    QString scripts;      // the library block
    QString headerCode;   // the custom header code (and on form pages the form block)
    QString baseHeader;   // the base template's header code
    bool formPage = false;
};

class ResponsivePage {
public:
    ResponsivePage() = delete;
    static QString build(GenerationContext &ctx, const ResponsivePageParts &parts);
    // The Bootstrap column-clearing rules (empty for e-mail pages).
    static QString columnClearingCSS();
};
