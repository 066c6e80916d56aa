// The static gallery and catalog pages. Every library is loaded over https;
// titles, file names, dates and paths are escaped for the place they land
// in (text, a quoted attribute), so no file name can break its page.
#include "generation/StaticGallery.h"

#include "config/DataCentreFiles.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/PageFiles.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QImageReader>
#include <QSaveFile>
#include <QFileInfo>
#include <QLocale>

namespace {

const char16_t kPhotoStyle[] = uR"zov(<style>
ul {
padding:0 0 0 0;
margin:0 0 0 0;
}
ul li {
    list-style:none;
    margin-bottom:25px;
}
ul li img {
cursor: pointer;
}
.modal img {
text-align:center;
margin:0 auto;
box-shadow: 0 5px 15px rgba(0, 0, 0, .5);
}
.modal{
overflow-y: auto;
padding:20px;
}
.modal-backdrop{
background-color: white;
}
.controls{
width:50px;
display:block;
    font-size:11px;
    padding-top:8px;
    font-weight:bold;
}
.next {
    float:right;
   text-align:right;
}
.jumbotron{
    background-color:%@ !important;
}
body {
    background-color:%@ !important;
    color:%@ !important;
}
</style>
%@
)zov";

const char16_t kSizingScript[] = uR"zov(<script>
$( document ).ready(function() {
var maxHeight = $(window).height() - 100 + "px";
$(".modal img").css("max-height", maxHeight);
});
$(window).on("resize", function() {
var maxHeight = $(window).height() - 100 + "px";
$(".modal img").css("max-height", maxHeight);
});
$(window).trigger('resize');
</script>
)zov";

const char16_t kViewerScript[] = uR"zov(<script>$(document).ready(function(){
$('li img').on('click',function(){
var src = $(this).attr('data-full') || $(this).attr('src');
var index = $(this).parent('li').index();
var controls = $('<div>').css({height:'25px',clear:'both',display:'block'});
controls.append($('<a>').addClass('controls next').attr('href', String(index+2)).text('next \u00bb'));
controls.append($('<a>').addClass('controls previous').attr('href', String(index)).text('\u00ab prev'));
$('#myModal').off('show.bs.modal hide.bs.modal');
$('#myModal').on('show.bs.modal', function(){
$('#myModal').empty().append($('<img>').attr('src', src).addClass('img-responsive'), controls);
$('a.controls').trigger('click');
});
$('#myModal').on('hide.bs.modal', function(){
$('#myModal').empty();
});
$('#myModal').modal('show');
$(window).trigger('resize');
});
});
$(document).on('click', 'a.controls', function(){
var index = $(this).attr('href');
var src = $('ul.row li:nth-child('+ index +') img').attr('data-full') || $('ul.row li:nth-child('+ index +') img').attr('src');
$('.modal img').attr('src', src);
var newPrevIndex = parseInt(index) - 1;
var newNextIndex = parseInt(newPrevIndex) + 2;
if($(this).hasClass('previous')){
$(this).attr('href', newPrevIndex);
$('a.next').attr('href', newNextIndex);
}else{
$(this).attr('href', newNextIndex);
$('a.previous').attr('href', newPrevIndex);
}
var total = $('ul.row li').length + 1;
if(total === newNextIndex){
$('a.next').hide();
}else{
$('a.next').show()
}
if(newPrevIndex === 0){
$('a.previous').hide();
}else{
$('a.previous').show()
}
return false;
});
</script>)zov";

const char16_t kVideoStyle[] = uR"zov(<style>
ul {
padding:0 0 0 0;
margin:0 0 0 0;
}
ul li {
    list-style:none;
    margin-bottom:25px;
}
.popover{
    word-wrap: break-word;
}
.jumbotron{
    background-color:%@ !important;
}
body {
    background-color:%@ !important;
    color:%@ !important;
}
.popover-title {
    color:#000000;
}
.popover-content {
    color:#000000;
}
</style>
)zov";

const char16_t kVideoScript[] = uR"zov(<script>
$(document).ready(function(){
$('[data-toggle="popover"]').popover();
});
</script>)zov";

const char16_t kCatalogStyle[] = uR"zov(<style type="text/css">
.table{
table-layout: fixed;
word-wrap:break-word;
}
</style>
)zov";

const char16_t kCatalogSummary[] = uR"zov(<h3>Dunmarra</h3><br><ul><li class="text-info">Generated on: %@<li>Path: %@<li>Total: %d folders<li>Indexed: %d folders<li>Skipped: %d folders<li>Skip criteria selected: %@<li>Folder Size Calculation: Files contained in each folder are measured and then summed up to calculate total size of the folder.  Subfolders are not included in calculation (no roll-up).  Each subfolder is measured and indexed separately in the catalog.</ul>)zov";

const char16_t kHead[] =
    u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    u"<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n"
    u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0\">\n"
    u"<meta name=\"description\" content=\"\">\n<meta name=\"author\" content=\"\">\n<title>%@</title>\n"
    u"<link rel=\"stylesheet\" href=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/css/bootstrap.min.css\">\n"
    u"<script src=\"https://ajax.googleapis.com/ajax/libs/jquery/1.11.1/jquery.min.js\"></script>\n"
    u"<script src=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/js/bootstrap.min.js\"></script>\n%@\n</head>";

const char16_t kModal[] =
    u"<div class=\"modal fade\" id=\"myModal\" tabindex=\"-1\" role=\"dialog\" aria-labelledby=\"myModalLabel\" "
    u"aria-hidden=\"true\">\n</div>";

QString head(const QString &title, const QString &ownPart)
{
    return Fmt::fill(kHead, {Escape::html(title), ownPart});
}

struct Colours {
    QString jumbotron, body, text;
};

Colours coloursOf(const StaticGallerySettings &s)
{
    if (s.theme == 1)
        return {QStringLiteral("#000"), QStringLiteral("#000000"), QStringLiteral("#ffffff")};
    return {QStringLiteral("#eee"), QStringLiteral("#FFFFFF"), QStringLiteral("#000000")};
}

QString bodyOpening(const StaticGallerySettings &s)
{
    const QString jumbotron =
        Fmt::fill(u"<div class=\"jumbotron\"><h1 style=\"padding-left:20px;\">%@</h1></div>", {Escape::html(s.title)});
    return s.alignment == 1 ? Fmt::fill(u"<body>\n<center>%@</center>\n<div class=\"container\">", {jumbotron})
                            : Fmt::fill(u"<body>\n%@\n<div class=\"container\">", {jumbotron});
}

QString lastComponent(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString withCaptions(QString item, const ZovFileHelper &r, const StaticGallerySettings &s)
{
    if (s.fileName)
        Fmt::append(item, u"\n<center><br>%@</center>", {Escape::html(lastComponent(r.filePath))});
    if (s.timestamp)
        Fmt::append(item, u"\n<center><br>%@</center>", {Escape::html(r.fileModDateString)});
    return item;
}

QString blanksEncoded(QString path)
{
    return path.replace(QLatin1Char(' '), QLatin1String("%20"));
}

// Splits the items into pages and writes each with its pagination (left out
// when there is a single page).
QStringList pagesOf(const QStringList &items, const StaticGallerySettings &s, const QString &headText,
                    const QString &modal, const QString &script)
{
    QStringList pages;
    if (items.isEmpty())
        return pages;
    const qsizetype perPage = 10 * qsizetype(std::max(0, s.photosPerPage)) + 10;
    const qsizetype count = (items.size() + perPage - 1) / perPage;
    const QString opening = bodyOpening(s);
    for (qsizetype p = 1; p <= count; ++p) {
        QString grid = QStringLiteral("<ul class=\"row\">\n");
        grid += items.mid((p - 1) * perPage, perPage).join(QLatin1Char('\n'));
        grid += u"\n</ul></div>";
        if (count == 1) {
            pages << Fmt::fill(u"%@\n%@\n%@\n%@\n%@\n</body>\n%@\n</html>",
                               {headText, opening, grid, modal, QString(), script});
            continue;
        }
        QString pagination = QStringLiteral("<nav>\n<ul class=\"pagination\">");
        for (qsizetype k = 1; k <= count; ++k)
            Fmt::append(pagination, k == p ? u"\n<li class=\"active\"><a href=%@>%d</a></li>" : u"\n<li><a href=%@>%d</a></li>",
                        {StaticGallery::pageFileName(s.pageNoun, int32_t(k)), k});
        pagination += u"\n</ul></nav>";
        pages << Fmt::fill(u"%@\n%@\n%@\n%@\n%@\n%@\n</body>\n%@\n</html>",
                           {headText, opening, pagination, grid, modal, QString(), script});
    }
    return pages;
}

QString writePages(const QStringList &pages, const StaticGallerySettings &s, QString *error)
{
    if (pages.isEmpty()) {
        if (error)
            *error = QStringLiteral("There are no supported files to write pages for.");
        return QString();
    }
    QString first;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString path =
            QDir(s.outputFolder).filePath(StaticGallery::pageFileName(s.pageNoun, int32_t(i + 1)));
        if (!writeFileAtomically(path, TextCodec::encodePageText(pages[i]), error))
            return QString();
        if (i == 0)
            first = path;
    }
    return first;
}

} // namespace

QString StaticGallery::pageFileName(const QString &pageNoun, int32_t n)
{
    return Fmt::fill(u"%@%d.html", {pageNoun, n});
}

uint64_t StaticGallery::skipThreshold(int32_t segment)
{
    switch (segment) {
    case 0: return 1000000;
    case 1: return 5000000;
    case 2: return 10000000;
    case 3: return 20000000;
    default: return 0;
    }
}

QStringList StaticGallery::photoGalleryPages(const QList<ZovFileHelper> &records, const StaticGallerySettings &s,
                                             const Progress &progress)
{
    const Colours c = coloursOf(s);
    const QString ownPart = Fmt::fill(kPhotoStyle, {c.jumbotron, c.body, c.text, QString::fromUtf16(kSizingScript)});
    const int32_t total = int32_t(records.size());
    const int32_t step = total <= 1000 ? 10 : 50;
    QStringList items;
    items.reserve(records.size());
    for (int32_t i = 0; i < total; ++i) {
        const ZovFileHelper &r = records[i];
        const QString source = s.duplicateOption == 1 ? r.updatedFilePath : r.filePath;
        // The grid shows the thumbnail; the viewer opens the picture itself.
        const QString shown = r.thumbnailPath.isEmpty() ? source : r.thumbnailPath;
        QString item = Fmt::fill(u"<li class=\"col-lg-2 col-md-2 col-sm-3 col-xs-4\"><img class=\"img-responsive\" "
                                 u"src=\"%@\" data-full=\"%@\">",
                                 {Escape::html(blanksEncoded(shown)), Escape::html(blanksEncoded(source))});
        item = withCaptions(item, r, s);
        item += u"\n</li>";
        items << item;
        if (progress && i % step == 0)
            progress(i, total, QStringLiteral("Step 2: Generating Photo Grid"));
    }
    return pagesOf(items, s, head(s.title, ownPart), QString::fromUtf16(kModal), QString::fromUtf16(kViewerScript));
}

QStringList StaticGallery::videoGalleryPages(const QList<ZovFileHelper> &records, const StaticGallerySettings &s,
                                             const Progress &progress)
{
    const Colours c = coloursOf(s);
    const QString ownPart = Fmt::fill(kVideoStyle, {c.jumbotron, c.body, c.text});
    const int32_t total = int32_t(records.size());
    QStringList items;
    items.reserve(records.size());
    for (int32_t i = 0; i < total; ++i) {
        const ZovFileHelper &r = records[i];
        const QString video = Fmt::fill(
            u"<div class=\"embed-responsive embed-responsive-16by9\">\n<video width=100%% height=100%% controls>\n"
            u"<source src=\"%@\" type=\"video/mp4\">\n</video>\n</div>",
            {Escape::html(blanksEncoded(s.duplicateOption == 1 ? r.updatedFilePath : r.filePath))});
        QString item = Fmt::fill(u"<li class=\"col-lg-4 col-md-4 col-sm-6 col-xs-12\">\n%@", {video});
        item = withCaptions(item, r, s);
        if (s.filePath)
            Fmt::append(item,
                        u"\n<button type=\"button\" class=\"btn btn-md btn-success\" data-toggle=\"popover\" "
                        u"title=\"%@\" data-content=\"%@\">Path</button>",
                        {Escape::html(lastComponent(r.filePath)), Escape::html(r.filePath)});
        item += u"\n</li>";
        items << item;
        if (progress)
            progress(i, total, QStringLiteral("Generating Grid"));
    }
    return pagesOf(items, s, head(s.title, ownPart), QString(), QString::fromUtf16(kVideoScript));
}

QString StaticGallery::fileGalleryPage(const QList<ZovFileHelper> &records, const StaticGallerySettings &s,
                                       const QDateTime &now, const Progress &progress)
{
    const uint64_t threshold = skipThreshold(s.skipFolderSize);
    QString table = QStringLiteral(
        "<table class=\"table table-bordered table-striped\">\n<thead><tr><th class=col-md-1></th>"
        "<th class=col-md-1>Size</th><th class=col-md-9>Path</th><th class=col-md-1>Show</th></tr></thead>\n<tbody>\n");
    QStringList rows;
    const int32_t total = int32_t(records.size());
    for (int32_t i = 0; i < total; ++i) {
        const ZovFileHelper &r = records[i];
        if (r.fileSizeBytes <= threshold)
            continue;
        rows << Fmt::fill(u"<tr><td>%d</td><td>%@</td><td>%@</td><td><a href=%@><button type=\"button\" "
                          u"class=\"btn btn-success\">Show</button></a></td></tr>",
                          {int32_t(rows.size() + 1), Escape::html(r.fileSize), Escape::html(r.filePath),
                           Escape::quotedAttribute(blanksEncoded(r.filePath))});
        if (progress)
            progress(i, total, QStringLiteral("Generating..."));
    }
    table += rows.join(QLatin1Char('\n'));
    const int32_t listed = int32_t(rows.size());
    const QString date = QLocale::c().toString(now, QStringLiteral("MMM dd yyyy hh:mm AP dddd"));
    const QString summary = Fmt::fill(kCatalogSummary, {Escape::html(date), Escape::html(s.inputFolder), total, listed,
                                                        total - listed, Escape::html(s.skipLabel)});
    const QString opening =
        Fmt::fill(u"<body>\n%@\n<div class=\"container\">", {Fmt::fill(u"<div class=\"jumbotron\">%@</div>", {summary})});
    return Fmt::fill(u"%@\n%@\n%@\n%@\n%@\n%@\n</body>\n%@\n</html>",
                     {head(s.appName, QString::fromUtf16(kCatalogStyle)), opening, QString(), table,
                      QStringLiteral("</tbody></table></div>"), QString(), QString()});
}

namespace {
// Copies the files when asked; the ones that fail leave the list.
bool copyWhenAsked(QList<ZovFileHelper> &records, const StaticGallerySettings &s, QStringList *skipped)
{
    if (s.duplicateOption != 1)
        return true;
    const QStringList failures = DataCentreFiles::duplicatePhotoRepository(s.outputFolder, s.pageNoun, records);
    if (failures.isEmpty())
        return true;
    for (qsizetype i = records.size() - 1; i >= 0; --i)
        if (!QFileInfo(QDir(s.outputFolder).filePath(records[i].updatedFilePath)).isFile())
            records.removeAt(i);
    if (skipped)
        *skipped += failures;
    return !records.isEmpty();
}
} // namespace

QStringList StaticGallery::makeThumbnails(QList<ZovFileHelper> &records, const QString &outputFolder,
                                          const QString &pageNoun)
{
    QStringList unreadable;
    const QString folder = QDir(outputFolder).filePath(QStringLiteral("thumbnails"));
    QDir().mkpath(folder);
    QList<ZovFileHelper> kept;
    for (qsizetype i = 0; i < records.size(); ++i) {
        ZovFileHelper r = records[i];
        QImageReader reader(r.filePath);
        reader.setAutoTransform(true);
        const QSize size = reader.size();
        if (size.isValid() && size.width() > kThumbnailWidth)
            reader.setScaledSize(QSize(kThumbnailWidth, std::max(1, int(qint64(size.height()) * kThumbnailWidth / size.width()))));
        const QImage image = reader.read();
        if (image.isNull()) {
            unreadable << QStringLiteral("%1: %2").arg(r.filePath, reader.errorString());
            continue;
        }
        const QString name = QStringLiteral("%1%2.jpg").arg(pageNoun).arg(i);
        QSaveFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::WriteOnly) && image.convertToFormat(QImage::Format_RGB32).save(&file, "JPEG", 85) && file.commit())
            r.thumbnailPath = QStringLiteral("thumbnails/") + name;
        kept << r;
    }
    records = kept;
    return unreadable;
}

QString StaticGallery::generatePhotoGalleryCode(QList<ZovFileHelper> records, const StaticGallerySettings &s,
                                                const Progress &progress, QString *error, QStringList *skipped)
{
    const QStringList unreadable = makeThumbnails(records, s.outputFolder, s.pageNoun);
    if (skipped)
        *skipped += unreadable;
    if (!copyWhenAsked(records, s, skipped) || records.isEmpty()) {
        if (error)
            *error = QStringLiteral("None of the files could be used.");
        return QString();
    }
    return writePages(photoGalleryPages(records, s, progress), s, error);
}

QString StaticGallery::generateVideoGalleryCode(QList<ZovFileHelper> records, const StaticGallerySettings &s,
                                                const Progress &progress, QString *error, QStringList *skipped)
{
    if (!copyWhenAsked(records, s, skipped)) {
        if (error)
            *error = QStringLiteral("None of the files could be copied.");
        return QString();
    }
    return writePages(videoGalleryPages(records, s, progress), s, error);
}

QString StaticGallery::generateFileGalleryCode(const QList<ZovFileHelper> &records, const StaticGallerySettings &s,
                                               const Progress &progress, QString *error)
{
    return writePages({fileGalleryPage(records, s, QDateTime::currentDateTime(), progress)}, s, error);
}
