// The navigation bars and the dropdown menu. Entry texts are written as text
// and links as quoted attribute values; colours are written only as "#" and
// six hex digits or "transparent" (a cleared colour), so that no stored value
// can leave its declaration.
#include "generation/NavigationBars.h"

#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/TableCellParts.h"
#include "document/TextElement.h"

namespace {

const char16_t kToggleButton[] =
    u"<nav class=\"navbar navbar-default\">\n<div class=container-fluid>\n<div class=navbar-header>\n"
    u"<button type=button class=\"navbar-toggle collapsed\" data-toggle=collapse data-target=#navbar "
    u"aria-expanded=false aria-controls=navbar>\n<span class=sr-only>Toggle navigation</span>\n"
    u"<span class=icon-bar></span>\n<span class=icon-bar></span>\n<span class=icon-bar></span>\n</button>\n";
const char16_t kMenuOpening[] = u"</div>\n<div id=navbar class=\"navbar-collapse collapse\">\n<ul class=\"nav navbar-nav\">\n";
const char16_t kClosing[] = u"</ul>\n</div>\n</div>\n</nav>\n";

const char16_t kFixedOpening[] =
    u"<nav class=\"navbar navbar-inverse navbar-fixed-top\"><div class=\"container\"><div class=\"navbar-header\">"
    u"<button type=\"button\" class=\"navbar-toggle collapsed\" data-toggle=\"collapse\" data-target=\"#navbar\" "
    u"aria-expanded=\"false\" aria-controls=\"navbar\"><span class=\"sr-only\">Toggle navigation</span>"
    u"<span class=\"icon-bar\"></span><span class=\"icon-bar\"></span><span class=\"icon-bar\"></span></button>"
    u"<a class=\"navbar-brand\" href=%@>%@</a></div><div id=\"navbar\" class=\"collapse navbar-collapse\">"
    u"<ul class=\"nav navbar-nav\">";

// Each template takes the colours as complete CSS values ("#RRGGBB" or
// "transparent"), never a bare hex string behind a "#" of its own.
const char16_t kNavBarCSS[] =
    u".navbar-default .navbar-nav > li > a:hover, .navbar-default .navbar-nav > li > a:focus {\ncolor: %@;\n"
    u"background-color: %@;\n}\n.navbar-default {\nborder:0px;\nbackground-color: %@;\nborder-radius:0px;\n}\n"
    u".navbar-default .navbar-nav > li > a {\ncolor: %@;\nfont-size:%dpx;\nfont-family:\"%@\";\n}\n"
    u".navbar-brand {\ncolor: %@ !important;\nfont-size:%dpx;\nfont-family:\"%@\";\n}\n"
    u".navbar-default .navbar-toggle .icon-bar {\nbackground-color: %@;\n}\n.navbar-toggle {\n"
    u"background-color: transparent;\n}\n.navbar-default .navbar-toggle:hover, .navbar-default .navbar-toggle:focus {\n"
    u"background-color: %@;\n}\n.navbar-toggle:hover .icon-bar {\nbackground-color: %@;\n}\n"
    u".navbar-toggle{\nmargin-top:10px;\nmargin-bottom:10px;}\n.navbar-brand{\npadding:0px;\nheight:auto;\n"
    u"line-height:inherit;\n}\n.navbar {\nmin-height:0px;\nmargin: 0;\npadding: 0;\n}\n";

const char16_t kCenteredCSS[] =
    u".navbar-default .navbar-nav > li > a:hover, .navbar-default .navbar-nav > li > a:focus {\ncolor: %@;\n"
    u"background-color: %@;\nwidth:100%%;\n}\n.navbar-default {\nborder:0px;\nbackground-color: %@;\n"
    u"border-radius:0px;\n}\n.navbar-default .navbar-nav > li > a {\ncolor: %@;\nfont-size:%dpx;\n"
    u"font-family:\"%@\";\nwidth:100%%;\n}\n.navbar-brand {\ncolor: %@ !important;\nfont-size:%dpx;\n"
    u"font-family:\"%@\";\n}\n.navbar-default .navbar-toggle .icon-bar {\nbackground-color: %@;\n}\n"
    u".navbar-toggle {\nbackground-color: transparent;\n}\n"
    u".navbar-default .navbar-toggle:hover, .navbar-default .navbar-toggle:focus {\nbackground-color: %@;\n}\n"
    u".navbar-toggle:hover .icon-bar {\nbackground-color: %@;\n}\n.navbar {\nmargin: 0;\npadding: 0;\n}\n"
    u".navbar .navbar-nav {\ndisplay: inline-block;\nfloat: none;\nvertical-align: top;\n}\n"
    u".navbar .navbar-collapse {\ntext-align: center;\n}\n";

const char16_t kFixedCSS[] =
    u".navbar .navbar-nav > li > a:hover, .navbar-default .navbar-nav > li > a:focus {\ncolor: %@;\n"
    u"background-color: %@;\n}\n.navbar {\nborder:0px;\nbackground-color: %@;\nborder-radius:0px;\n}\n"
    u".navbar .navbar-nav > li > a {\ncolor: %@;\nfont-size:%dpx;\nfont-family:\"%@\";\n}\n"
    u".navbar-brand {\ncolor: %@ !important;\nfont-size:%dpx;\nfont-family:\"%@\";\n}\n"
    u".navbar .navbar-toggle .icon-bar {\n    background-color: %@;\n}\n.navbar-toggle {\n"
    u"background-color: transparent;\n}\n.navbar .navbar-toggle:hover, .navbar-default .navbar-toggle:focus {\n"
    u"background-color: %@;\n}\n.navbar-toggle:hover .icon-bar {\nbackground-color: %@;\n}\n";
const char16_t kFixedCentredCSS[] =
    u".navbar .navbar-nav {\ndisplay: inline-block;\nfloat: none;\nvertical-align: top;\n}\n"
    u".navbar .navbar-collapse {\ntext-align: center;\n}\n";
const char16_t kFixedPadding[] = u"body {padding-top: 50px;}\n";

const char16_t kDropdownCSS[] =
    u".navbar-default .navbar-nav > li > a:hover, .navbar-default .navbar-nav > li > a:focus {\ncolor: %@;\n"
    u"background-color: %@;\nwidth:100%%;\n}\n.navbar-default .navbar-nav>.open>a, "
    u".navbar-default .navbar-nav>.open>a:focus, .navbar-default .navbar-nav>.open>a:hover{\ncolor: %@;\n"
    u"background-color: %@;\n}\n.navbar-default {\nborder:0px;\nbackground-color: %@;\nborder-radius:0px;\n}\n"
    u".navbar-default .navbar-nav > li > a {\ncolor: %@;\nfont-size:%dpx;\nfont-family:\"%@\";\nwidth:100%%;\n}\n"
    u".navbar-brand {\ncolor: %@ !important;\nfont-size:%dpx;\nfont-family:\"%@\";\n}\n"
    u".navbar-default .navbar-toggle .icon-bar {\nbackground-color: %@;\n}\n.navbar-toggle {\n"
    u"background-color: transparent;\n}\n.navbar-default .navbar-toggle:hover, .navbar-default .navbar-toggle:focus {\n"
    u"background-color: %@;\n}\n.navbar-toggle:hover .icon-bar {\nbackground-color: %@;\n}\n.navbar {\nmargin: 0;\n"
    u"padding: 0;\n}\n.navbar .navbar-nav {\ndisplay: inline-block;\nfloat: none;\nvertical-align: top;\n}\n"
    u".navbar .navbar-collapse {\ntext-align: center;\n}\n"
    u".dropdown-menu > li > a:hover, .dropdown-menu > li > a:focus {\ncolor: %@;\nbackground-color: %@;\n"
    u"width:100%%;\n}\n.dropdown-menu{\nborder:0px;\nbackground-color: %@;\nborder-radius:0px;\n}\n"
    u".dropdown-menu {\ncolor: %@;\nfont-size:%dpx;\nfont-family:\"%@\";\nwidth:100%%;\n}\n"
    u".dropdown-menu > li > a{\ncolor: %@;\nfont-size:%dpx;\nfont-family:\"%@\";\nwidth:100%%;\n}\n"
    u".navbar-default .navbar-nav .open .dropdown-menu>li>a{\ncolor: %@;\n}\n"
    u".navbar-default .navbar-nav .open .dropdown-menu>li>a:hover, .dropdown-menu>li>a:focus{\ncolor: %@;\n"
    u"background-color: %@;\nwidth:100%%;\n}\n";

// A colour as a CSS value; a value that is no stored colour is see-through
// (background) or inherited (text).
QString background(const QString &stored)
{
    const QString c = Escape::cssColour(stored);
    return c.isEmpty() ? QStringLiteral("transparent") : c;
}

QString foreground(const QString &stored)
{
    const QString c = Escape::cssColour(stored);
    return c.isEmpty() ? QStringLiteral("inherit") : c;
}

struct Style {
    QString background, hover, hoverText, text, family;
    int32_t fontSize = 0;
};

Style styleOf(const SKTTable::Cell &cell)
{
    Style s;
    if (!cell) {
        s.background = s.hover = QStringLiteral("transparent");
        s.hoverText = s.text = QStringLiteral("inherit");
        return s;
    }
    s.background = background(cell->backgroundHexColorString);
    s.hover = background(cell->hoverColorString);
    s.hoverText = foreground(cell->hoverTextColorString);
    s.text = foreground(Escape::storedColour(cell->textColorString, cell->textHexColorString));
    s.family = Escape::cssValue(cell->familyName);
    s.fontSize = cell->fontSize;
    return s;
}

// The four bars fill their templates with the same twelve values.
QString barCSS(QStringView templ, const Style &s)
{
    return Fmt::fill(templ, {s.hoverText, s.hover, s.background, s.text, s.fontSize, s.family, s.text, s.fontSize,
                             s.family, s.text, s.hover, s.hoverText});
}

QString textOf(const SKTTable::Cell &cell)
{
    return cell ? Escape::html(TextElement(cell).text()) : QString();
}

QString linkOf(const SKTTable::Cell &cell)
{
    return Escape::quotedAttribute(cell ? cell->link : QString());
}

CodeWidgetHelper start(const SKTTable &table)
{
    CodeWidgetHelper code;
    code.originY = Fmt::trunc(table.bounds().y());
    return code;
}

QString markedBody(const QString &opening, const QString &menu)
{
    return Fmt::fill(u"%@\n%@%@%@\n%@", {opening, QStringLiteral("<!--START NAVIGATION MENU-->"), menu,
                                         QStringLiteral("<!--END NAVIGATION MENU-->"), QString::fromUtf16(kClosing)});
}

// The last cell of row 0; for a single column that is cell (0, 0).
SKTTable::Cell lastOfFirstRow(const SKTTable &table)
{
    return table.grabSelectedTableCellHelper(0, std::max(0, table.numOfColumns() - 1));
}

std::optional<CodeWidgetHelper> fixedBar(const SKTTable &table, bool centred)
{
    if (table.cellHelperArray().isEmpty())
        return std::nullopt;
    CodeWidgetHelper code = start(table);
    const SKTTable::Cell brand = table.grabSelectedTableCellHelper(0, 0);
    const QString brandLink = centred ? linkOf(brand) : QStringLiteral("\"#\"");
    const QString opening = Fmt::fill(kFixedOpening, {brandLink, textOf(brand)});
    QString menu;
    for (int32_t c = 1; c < table.numOfColumns(); ++c) {
        const SKTTable::Cell cell = table.grabSelectedTableCellHelper(0, c);
        Fmt::append(menu, u"<li><a href=%@>%@</a></li>\n", {linkOf(cell), textOf(cell)});
    }
    code.bodyString = Fmt::fill(u"%@\n%@\n%@", {opening, menu, QString::fromUtf16(kClosing)});
    code.headerString = barCSS(kFixedCSS, styleOf(lastOfFirstRow(table)));
    if (centred)
        code.headerString += QString::fromUtf16(kFixedCentredCSS);
    code.headerString += QString::fromUtf16(kFixedPadding);
    return code;
}

std::optional<CodeWidgetHelper> navBar(const SKTTable &table, const NavigationBars::CellCode &cellCode)
{
    if (table.cellHelperArray().isEmpty())
        return std::nullopt;
    CodeWidgetHelper code = start(table);
    code.partOfTableFlag = true;
    QString cellCSS;
    QString menu;
    QString brand;
    collectTableCellParts(table, 0, cellCode, cellCSS,
                          [&](int32_t r, int32_t c, const SKTTable::Cell &, const CodeWidgetHelper &part) {
                              if (r == 0 && c == 0)
                                  brand = part.bodyString;
                              if (c >= 1)
                                  Fmt::append(menu, u"\n<li>%@</li>\n", {part.bodyString});
                          });
    const QString opening =
        Fmt::fill(u"%@\n%@\n%@", {QString::fromUtf16(kToggleButton),
                                  Fmt::fill(u"<div class=\"navbar-brand\">%@</div>\n", {brand}),
                                  QString::fromUtf16(kMenuOpening)});
    code.bodyString = markedBody(opening, menu);
    code.headerString = barCSS(kNavBarCSS, styleOf(table.grabSelectedTableCellHelper(0, 0))) + cellCSS;
    return code;
}

std::optional<CodeWidgetHelper> navBarCentred(const SKTTable &table)
{
    if (table.cellHelperArray().isEmpty())
        return std::nullopt;
    CodeWidgetHelper code = start(table);
    QString menu;
    for (int32_t c = 0; c < table.numOfColumns(); ++c) {
        const SKTTable::Cell cell = table.grabSelectedTableCellHelper(0, c);
        Fmt::append(menu, u"<li><a href=%@>%@</a></li>\n", {linkOf(cell), textOf(cell)});
    }
    code.bodyString = markedBody(QString::fromUtf16(kToggleButton) + QString::fromUtf16(kMenuOpening), menu);
    code.headerString = barCSS(kCenteredCSS, styleOf(lastOfFirstRow(table)));
    return code;
}

std::optional<CodeWidgetHelper> dropdownMenu(const SKTTable &table)
{
    if (table.cellHelperArray().isEmpty())
        return std::nullopt;
    CodeWidgetHelper code = start(table);
    QString menu;
    for (int32_t c = 0; c < table.numOfColumns(); ++c) {
        const SKTTable::Cell top = table.grabSelectedTableCellHelper(0, c);
        QString entry;
        if (top && !top->link.isEmpty())
            entry = Fmt::fill(u"<li><a href=%@>%@</a>\n", {linkOf(top), textOf(top)});
        else
            entry = Fmt::fill(u"<li class=\"dropdown\">\n<a class=\"dropdown-toggle\" data-toggle=\"dropdown\" "
                              u"role=\"button\" aria-haspopup=\"true\" aria-expanded=\"false\">%@</a>\n",
                              {textOf(top)});
        QString list = QStringLiteral("<ul class=\"dropdown-menu\">");
        for (int32_t r = 1; r < table.numOfRows(); ++r) {
            const SKTTable::Cell cell = table.grabSelectedTableCellHelper(r, c);
            if (!cell || TextElement(cell).text().isEmpty())
                continue;
            Fmt::append(list, u"\n<li><a href=%@>%@</a></li>\n", {linkOf(cell), textOf(cell)});
        }
        list += u"\n</ul>";
        Fmt::append(menu, u"\n%@\n%@</li>", {entry, list});
    }
    code.bodyString = markedBody(QString::fromUtf16(kToggleButton) + QString::fromUtf16(kMenuOpening), menu);
    const Style s = styleOf(lastOfFirstRow(table));
    code.headerString =
        Fmt::fill(kDropdownCSS, {s.hoverText, s.hover, s.hoverText, s.hover, s.background, s.text, s.fontSize,
                                 s.family, s.text, s.fontSize, s.family, s.text, s.hover, s.hoverText, s.hoverText,
                                 s.hover, s.background, s.text, s.fontSize, s.family, s.text, s.fontSize, s.family,
                                 s.text, s.hoverText, s.hover});
    return code;
}

CodeWidgetHelper orEmpty(SKTTable *table, const std::optional<CodeWidgetHelper> &code)
{
    if (code)
        return *code;
    CodeWidgetHelper empty;
    if (table)
        empty.originY = Fmt::trunc(table->bounds().y());
    return empty;
}

} // namespace

std::optional<CodeWidgetHelper> NavigationBars::generate(const SKTTable &table, const CellCode &cellCode)
{
    const QString kind = table.gridType();
    if (kind == QLatin1String("navbar"))
        return navBar(table, cellCode);
    if (kind == QLatin1String("navbar_centered"))
        return navBarCentred(table);
    if (kind == QLatin1String("navbar_fixed"))
        return fixedBar(table, false);
    if (kind == QLatin1String("navbar_fixed_centered"))
        return fixedBar(table, true);
    if (kind == QLatin1String("dropdownmenu"))
        return dropdownMenu(table);
    return std::nullopt;
}

NavigationBars::CellCode NavigationBars::textGenerator(SKTDocument &doc, SKTTable *table)
{
    return [&doc, table](const SKTTable::Cell &cell) { return doc.generateTextViewCode(TextElement(cell), table, true); };
}

CodeWidgetHelper NavigationBars::generateNavBar(SKTDocument &doc, SKTTable *table)
{
    return orEmpty(table, table ? navBar(*table, textGenerator(doc, table)) : std::nullopt);
}

CodeWidgetHelper NavigationBars::generateNavBar_centered(SKTDocument &, SKTTable *table)
{
    return orEmpty(table, table ? navBarCentred(*table) : std::nullopt);
}

CodeWidgetHelper NavigationBars::generateDropdownmenu(SKTDocument &, SKTTable *table)
{
    return orEmpty(table, table ? dropdownMenu(*table) : std::nullopt);
}

CodeWidgetHelper NavigationBars::generateNavBar_Fixed(SKTDocument &, SKTTable *table)
{
    return orEmpty(table, table ? fixedBar(*table, false) : std::nullopt);
}

CodeWidgetHelper NavigationBars::generateNavBar_Fixed_Centered(SKTDocument &, SKTTable *table)
{
    return orEmpty(table, table ? fixedBar(*table, true) : std::nullopt);
}
