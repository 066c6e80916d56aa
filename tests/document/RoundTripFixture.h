#pragma once
// Pages of every kind of object, saved, read back from the page file and
// opened from the package, each generated again for comparison.
#include "DocumentFixture.h"

#include "document/PageEditingCopy.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/TransformView.h"
#include "support/PageGraphics.h"

#include <functional>

namespace roundtrip {
using Graphics = QList<std::shared_ptr<SKTGraphic>>;
using Values = QList<QPair<const char *, QVariant>>;

using testpage::picture;

template <typename G>
inline std::shared_ptr<G> with(std::shared_ptr<G> graphic, const Values &values)
{
    for (const auto &v : values)
        graphic->setValue(QString::fromLatin1(v.first), v.second);
    return graphic;
}

// What a graphic placed by the user carries besides its own settings.
inline void placeOnPage(SKTGraphic &graphic, const QRectF &bounds)
{
    testpage::placeOnPage(graphic, bounds, true);
}

using testpage::text;

inline std::shared_ptr<SKTImage> image(const QString &name, const QRectF &bounds, QColor colour = Qt::darkGreen)
{
    auto i = std::make_shared<SKTImage>();
    placeOnPage(*i, bounds);
    const QImage p = picture(int(bounds.width()) * 2, int(bounds.height()) * 2, colour);
    i->setContents(p);
    i->setInputImage(p);
    i->setImageName(name);
    i->setImageType(QStringLiteral("PNG"));
    i->setBorderHexColorString(QStringLiteral("000000"));
    i->setValue(QStringLiteral("opacity"), 1.0);
    return i;
}

inline std::shared_ptr<SKTLine> line(const QRectF &bounds)
{
    auto l = std::make_shared<SKTLine>();
    placeOnPage(*l, bounds);
    l->setValue(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
    return l;
}

inline std::shared_ptr<TransformView> carrier(const QString &name, const QImage &image)
{
    return testpage::carrier(name, image, QStringLiteral("PNG"));
}

inline std::shared_ptr<SKTSlideshow> slideshow(const QRectF &bounds, const QList<std::shared_ptr<TransformView>> &slides)
{
    auto show = std::make_shared<SKTSlideshow>();
    placeOnPage(*show, bounds);
    for (const auto &slide : slides)
        show->addIntoImageArray(slide);
    show->setCurrentImageIndex(0);
    return show;
}

// Pictures placed in the gallery as a copy or a script would: without the
// gallery member mark that filling a gallery gives them.
inline std::shared_ptr<SKTGalleryGrid> gallery(const QRectF &bounds, int firstImage, int rows, int columns)
{
    auto g = std::make_shared<SKTGalleryGrid>();
    placeOnPage(*g, bounds);
    g->setNumOfRows(rows);
    g->setNumOfColumns(columns);
    g->setPadding(10);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            auto item = carrier(QStringLiteral("image%1").arg(firstImage++), picture(120, 80, Qt::yellow));
            item->rowSpot = r;
            item->columnSpot = c;
            g->addIntoImageArray(item);
        }
    return g;
}

// A table as the canvas inserts it: level strings "None".
inline std::shared_ptr<SKTTable> table(const QPointF &at, int rows, int columns, const QString &levels = QStringLiteral("None"))
{
    auto t = std::make_shared<SKTTable>();
    placeOnPage(*t, {at, QSizeF(1, 1)});
    QList<SKTTable::Cell> cells;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            auto cell = std::make_shared<myTextView>();
            cell->rowSpot = r;
            cell->columnSpot = c;
            cell->width = 80;
            cell->height = 30;
            cell->textStorage = QStringLiteral("Cell %1.%2").arg(r).arg(c);
            cell->backgroundHexColorString = QStringLiteral("CLEAR0");
            cell->borderHexColorString = QStringLiteral("000000");
            cell->textColorString = QStringLiteral("000000");
            cell->fontSize = 12;
            cell->textAlignment = QStringLiteral("left");
            cell->groupNumber = -99;
            cell->selectable = true;
            cells.append(cell);
        }
    t->setCellHelperArray(cells);
    t->setNumOfRows(rows);
    t->setNumOfColumns(columns);
    t->setGridType(QStringLiteral("table"));
    for (const char *key : {"topPaddingLevelString", "bottomPaddingLevelString", "leftPaddingLevelString",
                            "rightPaddingLevelString", "topMarginLevelString", "bottomMarginLevelString",
                            "leftMarginLevelString", "rightMarginLevelString"})
        t->setValue(QString::fromLatin1(key), levels);
    t->SKTGraphic::setBounds(QRectF(at, QSizeF(t->tableTotalCellWidth(), t->tableTotalCellHeight())));
    return t;
}

// What the canvas gives a new cell besides its frame: the colours, font,
// link kind and level strings every cell rule stores.
inline void asCanvasCell(myTextView &cell)
{
    cell.borderHexColorString = QStringLiteral("000000");
    cell.textColorString = QStringLiteral("000000");
    cell.textHexColorString = QStringLiteral("000000");
    cell.familyName = QStringLiteral("Helvetica Neue");
    cell.linkType = QStringLiteral("text");
    for (QString *level : {&cell.topPaddingLevelString, &cell.bottomPaddingLevelString, &cell.leftPaddingLevelString,
                           &cell.rightPaddingLevelString, &cell.topMarginLevelString, &cell.bottomMarginLevelString,
                           &cell.leftMarginLevelString, &cell.rightMarginLevelString})
        *level = QStringLiteral("None");
}

// A section across the page whose columns share its width by spans of 12;
// a number other than 0 is given to the section and its columns.
inline std::shared_ptr<SKTTable> section(const QRectF &bounds, const QList<int> &spans, int32_t number = 0)
{
    auto t = std::make_shared<SKTTable>();
    placeOnPage(*t, bounds);
    t->setGridType(QStringLiteral("section"));
    t->setNumOfRows(1);
    t->setNumOfColumns(int32_t(spans.size()));
    t->setBackgroundHexColorString(QStringLiteral("EEEEEE"));
    QList<SKTTable::Cell> cells = testpage::spanColumns(bounds, spans);
    for (const SKTTable::Cell &cell : cells) {
        cell->fontSize = 12;
        cell->textAlignment = QStringLiteral("left");
        cell->groupNumber = -99;
        cell->selectable = true;
        asCanvasCell(*cell);
        if (number != 0)
            cell->sectionNumber = number;
    }
    t->setCellHelperArray(cells);
    // As the canvas inserts sections: level strings "None".
    for (const char *key : {"topPaddingLevelString", "bottomPaddingLevelString", "leftPaddingLevelString",
                            "rightPaddingLevelString", "topMarginLevelString", "bottomMarginLevelString",
                            "leftMarginLevelString", "rightMarginLevelString"})
        t->setValue(QString::fromLatin1(key), QStringLiteral("None"));
    t->setBounds(bounds);
    if (number != 0)
        t->setSectionNumber(number);
    return t;
}

struct KindCase {
    const char *name;
    std::function<Graphics()> make;
    const char *holds = ""; // a text the first page must hold, so the option is really written
};
} // namespace roundtrip

using namespace roundtrip;

class RoundTripTest : public DocumentTest {
protected:
    struct Texts {
        QString first;  // as saved
        QString read;   // page file read and built into graphics, generated
        QString opened; // package opened, generated
    };

    // A fresh page of that name whose openings land in a fresh work folder
    // (a second opening of the same name would be numbered).
    void startPage(const QString &name = QStringLiteral("index"))
    {
        gWorkFolder = path(QStringLiteral("work-") + QString::number(++workFolders));
        QDir().mkpath(gWorkFolder);
        doc = newPage(name);
    }

    // Saves the page, then reads it back both ways.
    Texts generations(const Graphics &list, const QString &name = QStringLiteral("index"),
                      const QString &extension = QString())
    {
        QList<qsizetype> indexes;
        for (qsizetype i = 0; i < list.size(); ++i)
            indexes << i;
        doc->insertGraphics(list, indexes);
        doc->documentChangedCounter = 1;
        Texts texts;
        const QString package = path(QStringLiteral("packages/") + name + QStringLiteral(".")
                                     + (extension.isEmpty() ? gDocumentExtension : extension));
        if (!doc->saveThisPage(package, false)) {
            ADD_FAILURE() << doc->lastSaveError.toStdString();
            return texts;
        }
        texts.first = doc->generateSourceCode(doc->pageName, false, false);

        // Straight from the page file into a document of the same page.
        auto read = newPage(doc->pageName);
        read->pageFileType = doc->pageFileType;
        read->pageFileExtension = doc->pageFileExtension;
        copyPageSettings(*read);
        const QString pageFile = doc->pagePath;
        bool readable = false;
        const QString pageText = PageEditingCopy::editingPage(SKTDocument::readPageText(pageFile, &readable));
        EXPECT_TRUE(readable);
        try {
            const auto carriers = read->presentObjects(pageText, read->pageName, QString(), read->pageName, pageFile);
            const auto graphics = SKTGraphic::graphicsWithProperties(carriers, QFileInfo(pageFile).fileName());
            QList<qsizetype> at;
            for (qsizetype i = 0; i < graphics.size(); ++i)
                at << i;
            read->insertGraphics(graphics, at);
            EXPECT_EQ(graphics.size(), doc->graphics().size());
        } catch (const std::exception &e) {
            ADD_FAILURE() << "reading the page: " << e.what();
        }
        texts.read = read->generateSourceCode(read->pageName, false, false);

        opened = std::make_unique<SKTDocument>();
        EXPECT_TRUE(opened->readFromFile(package)) << opened->lastSaveError.toStdString();
        EXPECT_EQ(opened->graphics().size(), doc->graphics().size());
        texts.opened = opened->generateSourceCode(opened->pageName, false, false);
        return texts;
    }

    // The page-level settings the opening code reads from the page's markers
    // (read on their own by the marker tests), so that the straight read
    // compares the graphics alone.
    void copyPageSettings(SKTDocument &to) const
    {
        to.pageOfficialName = doc->pageOfficialName;
        to.publishExt = doc->publishExt;
        to.profileDictionary = doc->profileDictionary;
        to.extraProfileFields = doc->extraProfileFields;
        to.labelTemplateHelper = doc->labelTemplateHelper;
    }

    // Equal texts; else the first few lines that differ, not thousands.
    static void expectSameText(const QString &expected, const QString &actual, const std::string &what)
    {
        if (expected == actual)
            return;
        const QStringList a = expected.split(QLatin1Char('\n')), b = actual.split(QLatin1Char('\n'));
        int shown = 0;
        for (qsizetype i = 0; i < std::max(a.size(), b.size()) && shown < 4; ++i) {
            if (a.value(i) == b.value(i))
                continue;
            ++shown;
            const QString x = a.value(i), y = b.value(i);
            qsizetype at = 0;
            while (at < x.size() && at < y.size() && x[at] == y[at])
                ++at;
            const qsizetype from = std::max<qsizetype>(0, at - 60);
            ADD_FAILURE() << what << ", line " << i << ", column " << at << "\nexpected: ..."
                          << x.mid(from, 160).toStdString() << "\nactual:   ..." << y.mid(from, 160).toStdString();
        }
        if (shown == 0)
            ADD_FAILURE() << what << ": the texts differ";
    }

    void expectRoundTrip(const Graphics &list, const std::string &what = "page")
    {
        const Texts t = generations(list);
        ASSERT_FALSE(t.first.isEmpty());
        expectSameText(t.first, t.read, what + " read from its file");
        expectSameText(t.first, t.opened, what + " opened from its package");
    }

    std::unique_ptr<SKTDocument> opened;
    int workFolders = 0;
};
