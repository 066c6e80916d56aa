#pragma once
// Builds the composite graphics of the responsive components (tables of
// every kind, galleries, slideshows) in code, and stands in for the text
// element generator with a fragment that shows which cell it came from, so
// that a golden fragment shows where each cell lands.
#include "ElementPassFixture.h"

#include "document/CodeWidgetHelper.h"
#include "document/Escape.h"

#include <initializer_list>

class ComponentTest : public ElementPassTest {
public:
    struct CellSpec {
        QString text;
        QString link;
    };

    // A table of rows × columns whose cells are named "r<row>c<column>"
    // unless texts says otherwise (row by row).
    std::shared_ptr<SKTTable> makeTable(const QString &gridType, int rows, int columns,
                                        std::initializer_list<CellSpec> texts = {},
                                        const QRectF &bounds = {20, 30.7, 400, 120})
    {
        auto t = std::make_shared<SKTTable>();
        placeOnPage(*t, bounds);
        t->setGridType(gridType);
        t->setNumOfRows(rows);
        t->setNumOfColumns(columns);
        t->setPadding(3);
        QList<SKTTable::Cell> list;
        auto given = texts.begin();
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                auto cell = std::make_shared<myTextView>();
                cell->rowSpot = r;
                cell->columnSpot = c;
                cell->width = int32_t(bounds.width()) / columns;
                if (given != texts.end()) {
                    cell->textView.string = given->text;
                    cell->link = given->link;
                    ++given;
                } else {
                    cell->textView.string = QStringLiteral("r%1c%2").arg(r).arg(c);
                }
                cell->backgroundHexColorString = QStringLiteral("336699");
                cell->hoverColorString = QStringLiteral("CLEAR0");
                cell->hoverTextColorString = QStringLiteral("FFEE00");
                cell->textColorString = QStringLiteral("112233");
                cell->familyName = QStringLiteral("Open Sans");
                cell->fontSize = 15;
                cell->alphaValue = 0.75f;
                list << cell;
            }
        }
        t->setCellHelperArray(list);
        // A table's frame follows its cells: placed once they are there.
        t->setBounds(bounds);
        return t;
    }

    static std::shared_ptr<TransformView> picture(const QString &name, int row, int column, bool selectable = true)
    {
        auto p = std::make_shared<TransformView>();
        p->imageName = name;
        p->imageType = QStringLiteral("png");
        p->rowSpot = row;
        p->columnSpot = column;
        p->selectable = selectable;
        p->templateName = QStringLiteral("main");
        p->altText = name;
        p->slideShowNumber = -99;
        return p;
    }

    // The stand-in text element generator: the cell's text in a paragraph
    // and one rule named after its spot.
    static CodeWidgetHelper cellCode(const SKTTable::Cell &cell)
    {
        CodeWidgetHelper code;
        code.bodyString = QStringLiteral("<p>%1</p>").arg(Escape::html(TextElement(cell).text()));
        code.headerString = QStringLiteral(".cell%1_%2{}").arg(cell->rowSpot).arg(cell->columnSpot);
        return code;
    }

    // A fragment as one text for a golden file.
    static QString dump(const CodeWidgetHelper &code)
    {
        return QStringLiteral("== css\n%1\n== table css\n%2\n== body\n%3\n== script\n%4\n== originY %5 table %6\n")
            .arg(code.headerString, code.tableHeaderString, code.bodyString, code.javaScriptString)
            .arg(code.originY)
            .arg(code.partOfTableFlag ? 1 : 0);
    }
};
