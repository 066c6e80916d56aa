// Writes the pages of the Bootstrap components and of the static gallery
// sites that the browser test opens: each navigation bar on a page of its
// own (they share the collapse target), one page of panels, carousels, the
// hover caption and a gallery, and the photo and video grid pages, with
// their picture files and pages.json saying what to check.
//
//   make_component_pages OUTPUT_FOLDER
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "generation/GalleryMarkup.h"
#include "generation/NavigationBars.h"
#include "generation/Panels.h"
#include "generation/StaticGallery.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/TransformView.h"
#include "support/PageGraphics.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <memory>

namespace {

const char kHead[] =
    "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<script src=\"https://ajax.googleapis.com/ajax/libs/jquery/2.2.2/jquery.min.js\"></script>\n"
    "<link rel=\"stylesheet\" href=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/css/bootstrap.min.css\">\n"
    "<script src=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/js/bootstrap.min.js\"></script>\n";

using testpage::placeOnPage;

std::shared_ptr<SKTTable> table(const QString &kind, int rows, int columns, const QStringList &texts,
                                const QStringList &links = {})
{
    auto t = std::make_shared<SKTTable>();
    placeOnPage(*t, {0, 0, 600, 100});
    t->setGridType(kind);
    t->setNumOfRows(rows);
    t->setNumOfColumns(columns);
    QList<SKTTable::Cell> cells;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto cell = std::make_shared<myTextView>();
            cell->rowSpot = r;
            cell->columnSpot = c;
            cell->width = 600 / columns;
            cell->height = 30;
            const int i = r * columns + c;
            cell->textView.string = texts.value(i);
            cell->link = links.value(i);
            cell->backgroundHexColorString = QStringLiteral("CLEAR0");
            cell->hoverColorString = QStringLiteral("336699");
            cell->hoverTextColorString = QStringLiteral("FFFFFF");
            cell->textColorString = QStringLiteral("222222");
            cell->textHexColorString = QStringLiteral("222222");
            cell->familyName = QStringLiteral("Arial");
            cell->fontSize = 14;
            cell->alphaValue = 0.7f;
            cells << cell;
        }
    }
    t->setCellHelperArray(cells);
    t->setBounds({0, 0, 600, 100});
    return t;
}

std::shared_ptr<TransformView> picture(const QString &name, int row, int column)
{
    auto p = std::make_shared<TransformView>();
    p->imageName = name;
    p->imageType = QStringLiteral("png");
    p->rowSpot = row;
    p->columnSpot = column;
    p->selectable = true;
    p->altText = name;
    p->slideShowNumber = -99;
    return p;
}

bool write(const QString &file, const QByteArray &data)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

bool savePicture(const QString &file, QColor colour, QSize size = QSize(160, 120))
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image.save(file);
}

QString page(const CodeWidgetHelper &code)
{
    return QString::fromLatin1(kHead) + QStringLiteral("<style>\n") + code.headerString
           + QStringLiteral("\n</style>\n</head>\n<body>\n<div class=\"container\">\n") + code.bodyString
           + QStringLiteral("\n</div>\n") + code.javaScriptString + QStringLiteral("\n</body>\n</html>\n");
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_component_pages OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    EditionSettings::resetToInitialState();
    gResponsiveEdition = true;
    gAppName = QStringLiteral("Zov Web");
    QDir().mkpath(out.filePath(QStringLiteral("index")));
    QDir().mkpath(out.filePath(QStringLiteral("img")));
    bool ok = true;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    for (int i = 1; i <= 5; ++i) {
        ok &= savePicture(out.filePath(QStringLiteral("index/image%1o.png").arg(i)), colours[i - 1]);
        ok &= savePicture(out.filePath(QStringLiteral("index/image%1@2x.png").arg(i)), colours[i - 1]);
        // Photos as a camera gives them: far larger than the grid shows them.
        ok &= savePicture(out.filePath(QStringLiteral("img/p%1.png").arg(i)), colours[i - 1], QSize(1600, 1200));
        ok &= write(out.filePath(QStringLiteral("img/clip %1.mp4").arg(i)), QByteArray());
    }
    QJsonArray pages;

    // One navigation bar per page.
    struct Bar {
        const char *kind;
        int rows;
    };
    for (const Bar &bar : {Bar{"navbar", 1}, Bar{"navbar_centered", 1}, Bar{"navbar_fixed", 1},
                           Bar{"navbar_fixed_centered", 1}, Bar{"dropdownmenu", 3}}) {
        SKTDocument doc;
        doc.pageName = QStringLiteral("index");
        const QString kind = QString::fromLatin1(bar.kind);
        auto t = table(kind, bar.rows, 3,
                       {QStringLiteral("Home"), QStringLiteral("About \"us\" </script>"), QStringLiteral("More"),
                        QStringLiteral("Team"), QStringLiteral("History"), QStringLiteral("Jobs"),
                        QString(), QStringLiteral("Press"), QStringLiteral("Blog")},
                       {QStringLiteral("#home"), bar.rows > 1 ? QString() : QStringLiteral("#about"), QString(),
                        QStringLiteral("#team"), QStringLiteral("#history"), QStringLiteral("#jobs"), QString(),
                        QStringLiteral("#press"), QStringLiteral("#blog")});
        doc.insertGraphic(t);
        CodeWidgetHelper code;
        if (kind == QLatin1String("navbar"))
            code = NavigationBars::generateNavBar(doc, t.get());
        else if (kind == QLatin1String("navbar_centered"))
            code = NavigationBars::generateNavBar_centered(doc, t.get());
        else if (kind == QLatin1String("navbar_fixed"))
            code = NavigationBars::generateNavBar_Fixed(doc, t.get());
        else if (kind == QLatin1String("navbar_fixed_centered"))
            code = NavigationBars::generateNavBar_Fixed_Centered(doc, t.get());
        else
            code = NavigationBars::generateDropdownmenu(doc, t.get());
        ok &= write(out.filePath(kind + QStringLiteral(".html")), page(code).toUtf8());
        QJsonObject spec{{QStringLiteral("page"), kind + QStringLiteral(".html")},
                         {QStringLiteral("checks"), QJsonArray{QStringLiteral("navbar")}}};
        if (bar.rows > 1)
            spec.insert(QStringLiteral("dropdown"), true);
        pages.append(spec);
    }

    // Panels, carousels, the hover caption and a gallery on one page.
    {
        SKTDocument doc;
        doc.pageName = QStringLiteral("index");
        auto textPanel = table(QStringLiteral("collapsible_text_panel"), 2, 1,
                               {QStringLiteral("Open me"), QStringLiteral("Panel content")});
        auto imagePanel = table(QStringLiteral("collapsible_image_panel"), 3, 1,
                                {QString(), QStringLiteral("First text"), QStringLiteral("Second text")});
        imagePanel->addIntoImageArray(picture(QStringLiteral("image1"), 0, 0));
        auto quotes = table(QStringLiteral("text_carousel"), 3, 3,
                            {QString(), QString(), QString(), QStringLiteral("Quote one"), QStringLiteral("Quote two"),
                             QStringLiteral("Quote three"), QStringLiteral("Ann"), QStringLiteral("Bo"),
                             QStringLiteral("Cy")});
        auto quotes2 = table(QStringLiteral("text_carousel"), 3, 2,
                             {QString(), QString(), QStringLiteral("Other one"), QStringLiteral("Other two"),
                              QStringLiteral("Di"), QStringLiteral("Ed")});
        auto hover = table(QStringLiteral("photo_hover_caption"), 2, 1, {QString(), QStringLiteral("A caption")});
        hover->addIntoImageArray(picture(QStringLiteral("image2"), 0, 0));
        auto show = std::make_shared<SKTSlideshow>();
        placeOnPage(*show, {0, 0, 600, 300});
        for (int i = 3; i <= 5; ++i) {
            auto slide = picture(QStringLiteral("image%1").arg(i), -99, -99);
            show->addIntoImageArray(slide);
        }
        auto gallery = std::make_shared<SKTGalleryGrid>();
        placeOnPage(*gallery, {0, 0, 600, 300});
        gallery->setNumOfRows(1);
        gallery->setNumOfColumns(3);
        for (int i = 1; i <= 3; ++i)
            gallery->addIntoImageArray(picture(QStringLiteral("image%1").arg(i), 0, i - 1));
        for (const auto &g : QList<std::shared_ptr<SKTGraphic>>{textPanel, imagePanel, quotes, quotes2, hover, show, gallery})
            doc.insertGraphic(g);
        CodeWidgetHelper all;
        for (const CodeWidgetHelper &code :
             {Panels::generateCollapsibleTextPanel(doc, textPanel.get()),
              Panels::generateCollapsibleImagePanel(doc, imagePanel.get()), Panels::generateTextCarousel(doc, quotes.get()),
              Panels::generateTextCarousel(doc, quotes2.get()), Panels::generatePhoto_Hover_Caption(doc, hover.get()),
              Panels::generateCarousel(doc, show.get()), GalleryMarkup::grabPhotoGalleryCode(doc, gallery.get())}) {
            all.headerString += code.headerString + QLatin1Char('\n');
            all.bodyString += QStringLiteral("<div class=\"row\"><div class=\"col-sm-12\">\n") + code.bodyString
                              + QStringLiteral("\n</div></div>\n");
            all.javaScriptString += code.javaScriptString + QLatin1Char('\n');
        }
        ok &= write(out.filePath(QStringLiteral("components.html")), page(all).toUtf8());
        const int n = int(doc.graphics().size());
        auto number = [&](const std::shared_ptr<SKTGraphic> &g) { return n - int(doc.indexOfGraphic(g.get())); };
        pages.append(QJsonObject{
            {QStringLiteral("page"), QStringLiteral("components.html")},
            {QStringLiteral("checks"), QJsonArray{QStringLiteral("panels"), QStringLiteral("carousels"),
                                                  QStringLiteral("hoverCaption"), QStringLiteral("gallery")}},
            {QStringLiteral("textPanel"), number(textPanel)},
            {QStringLiteral("imagePanel"), number(imagePanel)},
            {QStringLiteral("carousels"),
             QJsonArray{QStringLiteral("quote-carousel%1").arg(number(quotes)),
                        QStringLiteral("quote-carousel%1").arg(number(quotes2)),
                        QStringLiteral("carousel%1").arg(number(show))}},
            {QStringLiteral("hoverCaption"), number(hover)},
            {QStringLiteral("gallery"), number(gallery)},
        });
    }

    // The static photo grid (two pages of ten and five) and the video grid.
    {
        QList<ZovFileHelper> photos;
        QList<ZovFileHelper> videos;
        for (int i = 1; i <= 15; ++i) {
            ZovFileHelper r;
            r.filePath = out.filePath(QStringLiteral("img/p%1.png").arg((i - 1) % 5 + 1));
            r.fileModDateString = QStringLiteral("2024-01-%1").arg(i, 2, 10, QLatin1Char('0'));
            photos << r;
            if (i <= 3) {
                ZovFileHelper v = r;
                v.filePath = out.filePath(QStringLiteral("img/clip %1.mp4").arg(i));
                videos << v;
            }
        }
        StaticGallerySettings s;
        s.outputFolder = out.path();
        s.pageNoun = QStringLiteral("photo");
        s.title = QStringLiteral("Photos <& friends>");
        s.fileName = s.timestamp = true;
        // "Copy the files first": the pages point at the copies, by relative paths.
        s.duplicateOption = 1;
        QString error;
        ok &= !StaticGallery::generatePhotoGalleryCode(photos, s, {}, &error).isEmpty();
        s.pageNoun = QStringLiteral("video");
        s.filePath = true;
        ok &= !StaticGallery::generateVideoGalleryCode(videos, s, {}, &error).isEmpty();
        if (!error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(error));
        pages.append(QJsonObject{{QStringLiteral("page"), QStringLiteral("photo1.html")},
                                 {QStringLiteral("checks"), QJsonArray{QStringLiteral("staticPhotos")}},
                                 {QStringLiteral("photos"), 10}});
        pages.append(QJsonObject{{QStringLiteral("page"), QStringLiteral("photo2.html")},
                                 {QStringLiteral("checks"), QJsonArray{QStringLiteral("staticPhotos")}},
                                 {QStringLiteral("photos"), 5}});
        pages.append(QJsonObject{{QStringLiteral("page"), QStringLiteral("video1.html")},
                                 {QStringLiteral("checks"), QJsonArray{QStringLiteral("popovers")}}});
    }

    // A photo whose file name would close the viewer's attribute and add a
    // handler, if the viewer wrote the name into markup.
    {
        const QString hostile = QStringLiteral("img/x\" onerror=\"window.__pwned=40\" y=\".png");
        ok &= savePicture(out.filePath(hostile), Qt::magenta);
        QList<ZovFileHelper> photos;
        for (const QString &path : {QStringLiteral("img/p1.png"), hostile}) {
            ZovFileHelper r;
            r.filePath = path;
            photos << r;
        }
        StaticGallerySettings s;
        s.outputFolder = out.path();
        s.pageNoun = QStringLiteral("hostilephoto");
        s.title = QStringLiteral("Photos");
        QString error;
        ok &= !StaticGallery::generatePhotoGalleryCode(photos, s, {}, &error).isEmpty();
        pages.append(QJsonObject{{QStringLiteral("page"), QStringLiteral("hostilephoto1.html")},
                                 {QStringLiteral("checks"), QJsonArray{QStringLiteral("hostilePhotoClicked")}},
                                 {QStringLiteral("photos"), 2}});
    }

    ok &= write(out.filePath(QStringLiteral("pages.json")),
                QJsonDocument(QJsonObject{{QStringLiteral("pages"), pages}}).toJson());
    if (!ok)
        std::fprintf(stderr, "make_component_pages: a file could not be written\n");
    return ok ? 0 : 1;
}
