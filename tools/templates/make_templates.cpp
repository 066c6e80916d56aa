// Writes the starting templates and edition icons into the resources folder,
// drawn and packed by the program's own page writer from the text in
// data/templates/designs.txt:
//
//   make_templates RESOURCES_FOLDER DESIGNS_FILE STAMP_FILE
//
// For every edition of the edition table, its templates folder receives each
// file its starter list and its sample document name, at that path, and one
// package per category of the template chooser ("blank" included). A file
// that an earlier edition sharing the folder wrote is kept. Print pages are
// sized to the sheet of their category, or to the edition's sheet.
#include "TemplateDesigns.h"

#include "app/TemplateCategoryTable.h"
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "config/EditionTable.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "platform/Alerts.h"
#include "window/ProfilePageTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtMath>

#include <algorithm>
#include <cstdio>

namespace {

// Failures end the build step loudly instead of leaving a silent gap.
class FailingAlerts : public Alerts {
public:
    void show(const Alert &alert, QObject *, Completion completion) override
    {
        std::fprintf(stderr, "make_templates: %s %s\n", qPrintable(alert.messageText), qPrintable(alert.informativeText));
        failed = true;
        if (completion)
            completion(AlertReply{alert.responseForButton(int(alert.effectiveButtons().size()) - 1), {}, false});
    }
    bool failed = false;
};

// --- pictures drawn here ---------------------------------------------------

QImage drawScene(const QString &scene, QSize size)
{
    size = size.expandedTo(QSize(8, 8));
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    if (scene == QLatin1String("sunrise") || scene == QLatin1String("hills")) {
        QLinearGradient sky(0, 0, 0, h);
        sky.setColorAt(0, scene == QLatin1String("sunrise") ? QColor(0xF6, 0xA5, 0x5B) : QColor(0x8E, 0xC5, 0xF0));
        sky.setColorAt(1, QColor(0xFD, 0xE8, 0xC8));
        p.fillRect(image.rect(), sky);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xFF, 0xD2, 0x3F));
        p.drawEllipse(QPointF(w * 0.7, h * 0.45), h * 0.18, h * 0.18);
        QPainterPath back;
        back.moveTo(0, h * 0.7);
        back.cubicTo(w * 0.3, h * 0.45, w * 0.6, h * 0.8, w, h * 0.6);
        back.lineTo(w, h);
        back.lineTo(0, h);
        p.setBrush(QColor(0x5E, 0x8C, 0x4A));
        p.drawPath(back);
        QPainterPath front;
        front.moveTo(0, h * 0.85);
        front.cubicTo(w * 0.4, h * 0.7, w * 0.7, h * 0.95, w, h * 0.8);
        front.lineTo(w, h);
        front.lineTo(0, h);
        p.setBrush(QColor(0x3B, 0x6B, 0x35));
        p.drawPath(front);
    } else if (scene == QLatin1String("flowers")) {
        p.fillRect(image.rect(), QColor(0xE9, 0xF5, 0xE1));
        const QColor petals[] = {QColor(0xE0, 0x4F, 0x5F), QColor(0xF2, 0xB1, 0x34), QColor(0x8E, 0x5E, 0xC9)};
        for (int i = 0; i < 5; ++i) {
            const QPointF centre(w * (0.12 + 0.19 * i), h * (0.35 + 0.15 * (i % 2)));
            const qreal r = std::min(w, h) * 0.11;
            p.setPen(QPen(QColor(0x3B, 0x6B, 0x35), std::max(1.0, r * 0.15)));
            p.drawLine(centre, QPointF(centre.x(), h));
            p.setPen(Qt::NoPen);
            p.setBrush(petals[i % 3]);
            for (int k = 0; k < 6; ++k) {
                const qreal a = k * M_PI / 3;
                p.drawEllipse(centre + QPointF(std::cos(a), std::sin(a)) * r * 0.7, r * 0.5, r * 0.5);
            }
            p.setBrush(QColor(0xFF, 0xE0, 0x66));
            p.drawEllipse(centre, r * 0.35, r * 0.35);
        }
    } else if (scene == QLatin1String("bars")) {
        p.fillRect(image.rect(), QColor(0xF7, 0xF7, 0xF2));
        const qreal heights[] = {0.35, 0.6, 0.45, 0.8, 0.65};
        const QColor colours[] = {QColor(0x1B, 0x3A, 0x5C), QColor(0x5B, 0x84, 0xB1), QColor(0xF2, 0xB1, 0x34)};
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 5; ++i) {
            p.setBrush(colours[i % 3]);
            const qreal bw = w / 7;
            p.drawRect(QRectF(bw * (i + 1), h * (0.9 - heights[i] * 0.8), bw * 0.8, h * heights[i] * 0.8));
        }
        p.setPen(QPen(QColor(0x33, 0x33, 0x33), 2));
        p.drawLine(QPointF(w * 0.1, h * 0.9), QPointF(w * 0.9, h * 0.9));
    } else {  // portrait
        p.fillRect(image.rect(), QColor(0xDD, 0xE6, 0xEE));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x7A, 0x93, 0xAC));
        const qreal r = std::min(w, h) * 0.2;
        p.drawEllipse(QPointF(w / 2, h * 0.38), r, r);
        p.drawEllipse(QPointF(w / 2, h * 1.0), r * 2.1, r * 1.6);
    }
    return image;
}

// An edition's icon: a rounded tile in a colour of its own with its initials.
QImage drawIcon(const QString &edition)
{
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int hue = int(qHash(edition, 7) % 360);
    QLinearGradient fill(0, 0, 0, 256);
    fill.setColorAt(0, QColor::fromHsv(hue, 120, 230));
    fill.setColorAt(1, QColor::fromHsv(hue, 200, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(12, 12, 232, 232), 48, 48);
    QString initials;
    for (const QString &word : edition.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (initials.size() < 2 && word.at(0).isLetter())
            initials += word.at(0).toUpper();
    if (initials.isEmpty())
        initials = QStringLiteral("Z");
    QFont font;
    font.setPixelSize(110);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(12, 12, 232, 232), Qt::AlignCenter, initials);
    return image;
}

// --- pages -----------------------------------------------------------------

void placeOnPage(SKTGraphic &graphic, const QRectF &bounds)
{
    for (const char *key : {"groupNumber", "sectionNumber", "sectionRowSpot", "sectionColumnSpot", "formTag",
                            "formOptionTag", "slideShowNumber", "galleryNumber", "tableNumber"})
        graphic.setValue(QString::fromLatin1(key), -99);
    graphic.setSelectable(true);
    graphic.setBounds(bounds);
}

QString hex(const QColor &colour)
{
    return colour.name(QColor::HexRgb).mid(1).toUpper();
}

QList<std::shared_ptr<SKTGraphic>> buildGraphics(const PageDesign &design, QSize page, const QString &title,
                                                  const QString &edition)
{
    QList<std::shared_ptr<SKTGraphic>> graphics;
    auto at = [&](const QRectF &box) {
        return QRectF(std::round(box.x() * page.width() / 100), std::round(box.y() * page.height() / 100),
                      std::max(1.0, std::round(box.width() * page.width() / 100)),
                      std::max(1.0, std::round(box.height() * page.height() / 100)));
    };
    int pictures = 0;
    for (const DesignPiece &piece : design.pieces) {
        switch (piece.kind) {
        case DesignPiece::Kind::Band:
        case DesignPiece::Kind::Circle: {
            // The page file keeps text boxes, pictures and lines: a band or a
            // circle is an empty text box on a fill of its colour, the circle
            // rounded to its smaller half, so the canvas and print show it.
            auto shape = std::make_shared<SKTText>();
            const QRectF box = at(piece.box);
            placeOnPage(*shape, box);
            shape->setTextType(QStringLiteral("Text"));
            shape->setFontFamily(QStringLiteral("Roboto"));
            shape->setFontSize(12);
            shape->setDrawingFill(true);
            shape->setValue(QStringLiteral("fillColor"), piece.colour);
            shape->setBackgroundHexColorString(hex(piece.colour));
            shape->setBorderHexColorString(hex(piece.colour));
            shape->setValue(QStringLiteral("cornerRadius"),
                            piece.kind == DesignPiece::Kind::Circle ? std::min(box.width(), box.height()) / 2 : 0.0);
            shape->setTextString(QString());
            graphics.append(shape);
            break;
        }
        case DesignPiece::Kind::Line: {
            auto line = std::make_shared<SKTLine>();
            const QPointF from(piece.box.left() * page.width() / 100, piece.box.top() * page.height() / 100);
            const QPointF to(piece.box.right() * page.width() / 100, piece.box.bottom() * page.height() / 100);
            placeOnPage(*line, QRectF(from, to).normalized().adjusted(0, 0, 1, 1));
            line->setValue(QStringLiteral("borderHexColorString"), hex(piece.colour));
            line->setValue(QStringLiteral("strokeColor"), piece.colour);
            line->setValue(QStringLiteral("strokeWidth"), 3.0);
            graphics.append(line);
            break;
        }
        case DesignPiece::Kind::Text: {
            auto text = std::make_shared<SKTText>();
            placeOnPage(*text, at(piece.box));
            text->setTextType(QStringLiteral("Text"));
            text->setFontFamily(QStringLiteral("Roboto"));
            text->setFontSize(std::max(6, int(std::round(piece.size * page.height() / 100))));
            text->setFontAlignment(piece.centred ? 1 : 0);
            text->setTextHexColorString(hex(piece.colour));
            text->setValue(QStringLiteral("fontColor"), piece.colour);
            if (piece.fill.isValid()) {
                // A box: the text on its own fill, as the branch generator copies it.
                text->setDrawingFill(true);
                text->setValue(QStringLiteral("fillColor"), piece.fill);
                text->setBackgroundHexColorString(hex(piece.fill));
                text->setValue(QStringLiteral("cornerRadius"), 8.0);
            } else {
                text->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
            }
            text->setBorderHexColorString(QStringLiteral("000000"));
            QString string = piece.text;
            string.replace(QStringLiteral("{title}"), title).replace(QStringLiteral("{edition}"), edition);
            text->setTextString(string);
            graphics.append(text);
            break;
        }
        case DesignPiece::Kind::Picture: {
            const QRectF bounds = at(piece.box);
            // Twice the frame for sharp screens, but at most 640 pixels a side:
            // print canvases are large, and the build step must stay quick.
            const QSizeF twice = bounds.size() * 2;
            const QImage pixels = drawScene(piece.text, twice.scaled(twice.boundedTo(QSizeF(640, 640)), Qt::KeepAspectRatio).toSize());
            auto image = std::make_shared<SKTImage>();
            placeOnPage(*image, bounds);
            image->setContents(pixels);
            image->setInputImage(pixels);
            image->setImageName(QStringLiteral("image%1").arg(++pictures));
            image->setImageType(QStringLiteral("PNG"));
            image->setBorderHexColorString(QStringLiteral("000000"));
            image->setAltText(piece.text);
            graphics.append(image);
            break;
        }
        }
    }
    return graphics;
}

// A title for a package from its file or category name.
QString titleOf(const QString &name)
{
    bool number = false;
    name.toInt(&number);
    if (number)
        return QStringLiteral("Page ") + name;
    if (name == QLatin1String("basetemplate"))
        return QStringLiteral("Base template");
    QString title = name;
    title.replace(QLatin1Char('_'), QLatin1Char(' '));
    title = title.simplified();
    if (!title.isEmpty())
        title[0] = title.at(0).toUpper();
    return title;
}

// The file name of a category's package, from its button title.
QString packageBaseName(const TemplateCategory &category)
{
    QString name = category.categoryDescription();
    name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9 .#-]")));
    name.replace(QLatin1Char('.'), QLatin1Char('_'));
    name = name.simplified();
    return name.isEmpty() ? titleOf(category.categoryFolderName()) : name;
}

struct Job {
    QString relativePath;  // below the templates folder
    QString title;
    QString category;      // "" for files at the top
    bool blank = false;
};

class Writer {
public:
    Writer(QString resources, const TemplateDesigns &designs) : m_resources(std::move(resources)), m_designs(designs) {}

    bool writeEdition(const EditionEntry &entry);
    bool writeIcon(const QString &iconName, const QString &edition);
    int written() const { return m_written; }
    QStringList writtenFiles() const { return QStringList(m_done.begin(), m_done.end()); }

private:
    bool writePage(const Job &job, const QString &folder);

    QString m_resources;
    const TemplateDesigns &m_designs;
    QSet<QString> m_done;
    QTemporaryDir m_work;
    int m_written = 0;
};

bool Writer::writeIcon(const QString &iconName, const QString &edition)
{
    const QString path = QDir(m_resources).filePath(QStringLiteral("icons/") + iconName + QStringLiteral(".png"));
    if (m_done.contains(path))
        return true;
    m_done.insert(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && drawIcon(edition).save(&file, "PNG") && file.commit();
}

bool Writer::writeEdition(const EditionEntry &entry)
{
    EditionSettings::resetToInitialState();
    gAppName = entry.key;
    DataCentre::applyEdition(entry);
    gWorkFolder = m_work.path();
    gTempFolder = QDir(m_work.path()).filePath(QStringLiteral("temp"));
    gReceivedPagesFolder = QStringLiteral("received");
    // The program's page writer, but every page is written out, drawn as it is.
    gNoDraftPages = false;
    gHideTotalRefresh = false;
    if (!entry.icon.isEmpty() && !writeIcon(entry.icon, entry.key.isEmpty() ? QStringLiteral("Zov") : entry.key))
        return false;
    if (gTemplateFolder.isEmpty())
        return true;
    if (!m_designs.hasFolder(gTemplateFolder)) {
        std::fprintf(stderr, "make_templates: no design for the templates folder %s\n", qPrintable(gTemplateFolder));
        return false;
    }

    QList<Job> jobs;
    // The first starter is the blank page; the others are pages to start from.
    for (const QString &starter : std::as_const(gStarterTemplateFiles))
        jobs.append({starter, titleOf(QFileInfo(starter).completeBaseName()), QFileInfo(starter).path(), jobs.isEmpty()});
    if (!gSampleDocumentFile.isEmpty())
        jobs.append({gSampleDocumentFile, QFileInfo(gSampleDocumentFile).completeBaseName(), {}, false});
    for (const TemplateCategory &category : TemplateCategoryTable::shared().categoriesFor(entry.key)) {
        const QString folder = category.categoryFolderName();
        if (folder == QLatin1String("all"))
            continue;
        const bool blank = folder == QLatin1String("blank");
        const QString base = blank ? QStringLiteral("Blank") : packageBaseName(category);
        const QString relative = folder + QLatin1Char('/') + base + QLatin1Char('.') + gDocumentExtension;
        // A category that holds a page already needs no second one, nor one
        // that an edition sharing the folder filled. The blank category is
        // the exception: Add Page always starts from its Blank page, so that
        // page is written even where starter pages live beside it.
        bool covered = false;
        const QString categoryPath = QDir(m_resources).filePath(gTemplateFolder + QLatin1Char('/') + folder + QLatin1Char('/'));
        const QString blankPath = categoryPath + base + QLatin1Char('.') + gDocumentExtension;
        for (const Job &job : std::as_const(jobs))
            covered = covered || (blank ? job.relativePath == relative : job.category == folder);
        for (const QString &done : std::as_const(m_done))
            covered = covered || (blank ? done == blankPath : done.startsWith(categoryPath));
        if (covered)
            continue;
        jobs.append({relative, blank ? QStringLiteral("Blank") : category.categoryDescription().trimmed(), folder, blank});
    }
    for (const Job &job : std::as_const(jobs))
        if (!writePage(job, gTemplateFolder))
            return false;
    return true;
}

bool Writer::writePage(const Job &job, const QString &folder)
{
    const QString packagePath = QDir(m_resources).filePath(folder + QLatin1Char('/') + job.relativePath);
    if (m_done.contains(packagePath))
        return true;
    m_done.insert(packagePath);
    // A sample record is a record's page: the blank design, with the record on it.
    const QMap<QString, QString> record = m_designs.recordFor(QFileInfo(packagePath).completeBaseName());
    const PageDesign *design = m_designs.designFor(folder, job.blank || !record.isEmpty());

    // Print pages take their category's sheet, else the edition's.
    const QString sheet = m_designs.sheetFor(folder, job.category);
    if (!sheet.isEmpty()) {
        if (!DataCentre::grabLabelHelper(sheet)) {
            std::fprintf(stderr, "make_templates: no print sheet \"%s\"\n", qPrintable(sheet));
            return false;
        }
        gDefaultPrintSheet = sheet;
        DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(sheet));
    }
    QSize page(design->width, design->height);
    if (page.isEmpty()) {
        page = QSize(gCanvasWidth, gCanvasMaxHeight);
        if (page.width() <= 0 || page.height() <= 0 || page.height() > 4 * page.width())
            page = QSize(1000, 700);
    }
    // The page's own picture shows the whole design.
    gPreviewCanvasWidth = page.width();
    gPreviewCanvasHeight = page.height();

    const QString extension = QFileInfo(packagePath).suffix();
    const QString pageName = QFileInfo(packagePath).completeBaseName();
    const QString working = QDir(m_work.path()).filePath(QStringLiteral("page%1").arg(m_written));
    QDir().mkpath(working);
    SKTDocument doc;
    doc.pageName = pageName;
    doc.pageOfficialName = job.title;
    doc.pageFileExtension = extension == QLatin1String("trelkoforms") ? QStringLiteral("php") : QStringLiteral("html");
    doc.pageFileType = extension;
    doc.mainTemplateName = pageName;
    // A starter base template becomes pages of other names (an untitled page,
    // a new page of a project), which take its pieces as their own: it is
    // written as a duplicated base template is.
    doc.duplicateBasetemplateFlag = pageName == QLatin1String("basetemplate");
    doc.encodingType = QStringLiteral("UTF-8");
    doc.tempSavePathLocal = working;
    doc.pageColor = design->background;
    doc.documentColorHexString = hex(design->background);
    if (!gDefaultPrintSheet.isEmpty())
        doc.labelTemplateHelper.templateDescription = gDefaultPrintSheet;
    const QString imageFolder = QDir(working).filePath(pageName);
    QDir().mkpath(imageFolder);
    // The first piece described lies at the back; the document's first
    // graphic is the frontmost.
    auto graphics = buildGraphics(*design, page, job.title, gAppName.isEmpty() ? QStringLiteral("Zov") : gAppName);
    std::reverse(graphics.begin(), graphics.end());
    for (const auto &graphic : std::as_const(graphics)) {
        // Editions that keep the user's image files find them in the page's
        // folder, put there when the picture was inserted; so do we.
        if (const auto *image = dynamic_cast<const SKTImage *>(graphic.get())) {
            for (const QString &suffix : {QStringLiteral("o.PNG"), QStringLiteral("@2x.PNG")})
                if (!image->contents().save(QDir(imageFolder).filePath(image->imageName() + suffix), "PNG"))
                    return false;
        }
        doc.addInGraphics(graphic);
    }
    // A sample record carries its fields, and its page shows them.
    if (!record.isEmpty()) {
        doc.profileDictionary = record;
        doc.pageOfficialName = job.title;
        ProfilePageTable::refresh(doc);
    }
    QDir().mkpath(QFileInfo(packagePath).absolutePath());
    if (!doc.saveThisPage(packagePath, false)) {
        std::fprintf(stderr, "make_templates: %s: %s\n", qPrintable(packagePath), qPrintable(doc.lastSaveError));
        return false;
    }
    ++m_written;
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: make_templates RESOURCES_FOLDER DESIGNS_FILE STAMP_FILE\n");
        return 2;
    }
    QFile designsFile(args.at(2));
    if (!designsFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_templates: cannot read %s\n", qPrintable(args.at(2)));
        return 1;
    }
    TemplateDesigns designs;
    QString error;
    if (!designs.parse(QString::fromUtf8(designsFile.readAll()), &error)) {
        std::fprintf(stderr, "make_templates: %s\n", qPrintable(error));
        return 1;
    }
    FailingAlerts alerts;
    Alerts::setCurrent(&alerts);
    DataCentre::loadPrintLabels();

    Writer writer(args.at(1), designs);
    const EditionTable &table = EditionTable::shared();
    bool ok = writer.writeEdition(table.defaultEdition());
    for (const EditionEntry &entry : table.editions())
        ok = ok && writer.writeEdition(entry);
    Alerts::setCurrent(nullptr);
    if (!ok || alerts.failed)
        return 1;

    // Files an earlier run wrote and this one did not (a category renamed,
    // say) are removed; nothing else in the resources is touched.
    const QString manifestPath = QDir(args.at(1)).filePath(QStringLiteral(".generated-templates"));
    QStringList now = writer.writtenFiles();
    now.sort();
    QFile previous(manifestPath);
    if (previous.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : previous.readAll().split('\n')) {
            const QString old = QString::fromUtf8(line);
            if (!old.isEmpty() && !now.contains(old) && old.startsWith(QDir(args.at(1)).absolutePath() + QLatin1Char('/')))
                QFile::remove(old);
        }
        previous.close();
    }
    QSaveFile manifest(manifestPath);
    if (!manifest.open(QIODevice::WriteOnly) || manifest.write(now.join(QLatin1Char('\n')).toUtf8() + '\n') < 0 || !manifest.commit())
        return 1;
    QSaveFile stamp(args.at(3));
    if (!stamp.open(QIODevice::WriteOnly) || stamp.write(QByteArray::number(writer.written()) + '\n') < 0 || !stamp.commit())
        return 1;
    std::printf("make_templates: %d template packages\n", writer.written());
    return 0;
}
