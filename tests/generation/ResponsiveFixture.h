#pragma once
// Pages of the responsive editions built in code: text boxes, snippets, form
// fields and sections of one to four columns, generated as the published
// page (responsive) or the stored page.
#include "TextFormFixture.h"

#include "config/EditionSettings.h"
#include "model/SKTTable.h"
#include "support/PageGraphics.h"

class ResponsiveTest : public TextFormTest {
protected:
    void SetUp() override
    {
        TextFormTest::SetUp();
        gResponsiveEdition = true;
    }

    void useEmailEdition() { gResponsiveEmailEdition = true; }

    // A section across the page: its columns share the width by spans of 12
    // (spans as given, xs always 12, so phones stack them).
    SKTTable *addSection(const QRectF &bounds, QList<int> spans, const QString &kind = QStringLiteral("section"))
    {
        auto t = std::make_shared<SKTTable>();
        for (const char *key : {"groupNumber", "sectionNumber", "sectionRowSpot", "sectionColumnSpot",
                                "slideShowNumber", "galleryNumber", "tableNumber"})
            t->setValue(QString::fromLatin1(key), -99);
        t->setGridType(kind);
        t->setNumOfRows(1);
        t->setNumOfColumns(int32_t(spans.size()));
        t->setBackgroundHexColorString(QStringLiteral("EEEEEE"));
        t->setCellHelperArray(testpage::spanColumns(bounds, spans));
        // Sizes the columns from the cells' widths.
        t->setBounds(bounds);
        return add(t);
    }

    // A plain text box with every unit set, as the inspector leaves it.
    SKTText *addBox(const QRectF &bounds, const QString &text)
    {
        SKTText *t = addText(bounds, text);
        t->setTextType(QStringLiteral("Text"));
        return t;
    }

    // The section's column frames as the page generator sees them.
    static QString columnFrames(const SKTTable &section)
    {
        QString out;
        for (const auto &cell : section.cellHelperArray())
            out += QStringLiteral("(%1,%2,%3,%4)").arg(cell->originX).arg(cell->originY).arg(cell->width).arg(cell->height);
        return out;
    }

    static QString dump(const CodeWidgetHelper &code)
    {
        return QStringLiteral("== css\n%1\n== body\n%2\n== script\n%3\n== php\n%4\n== mail\n%5\n== originY %6 table %7 "
                              "noMargin %8\n")
            .arg(code.headerString, code.bodyString, code.javaScriptString, code.formResponseBody,
                 code.formMessageBody)
            .arg(code.originY)
            .arg(code.partOfTableFlag ? 1 : 0)
            .arg(code.noMarginAddOnFlag ? 1 : 0);
    }

    // The page's body between "<body" and "</body>".
    static QString bodyOf(const QString &page)
    {
        const qsizetype start = page.indexOf(QStringLiteral("<body"));
        const qsizetype end = page.indexOf(QStringLiteral("</body>"));
        return start < 0 || end < 0 ? page : page.mid(start, end - start);
    }
};
