#include "insertion/ObjectMakers.h"

#include "BuildInfo.h"
#include "config/DataCentreColours.h"
#include "config/EditionSettings.h"
#include "config/ShapeSelectionView.h"
#include "document/SKTDocument.h"
#include "insertion/ImageFactory.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionDates.h"
#include "insertion/InsertionStep.h"
#include "insertion/TextBoxFactory.h"
#include "platform/Bundle.h"

#include <QDateTime>
#include <QImageReader>
#include <cmath>

namespace {
QPointF visibleCornerPlus(InsertionContext &context, double offset)
{
    if (const auto origin = context.visibleOrigin())
        return {std::trunc(origin->x() + offset), std::trunc(origin->y() + offset)};
    return {offset, offset};
}
} // namespace

QString ObjectMakers::fullAddressText()
{
    return QStringLiteral("[TITLE] [FIRST_NAME] [LAST_NAME]\n[JOB_TITLE]\n[COMPANY_NAME]\n[STREET]\n[CITY] [STATE] [ZIPCODE]");
}

const QList<QPair<QString, QString>> &ObjectMakers::personalisationTagCommands()
{
    static const QList<QPair<QString, QString>> commands {
        {QStringLiteral("addPerson_FirstName"), QStringLiteral("[FIRST_NAME]")},
        {QStringLiteral("addPerson_LastName"), QStringLiteral("[LAST_NAME]")},
        {QStringLiteral("addPerson_CompanyName"), QStringLiteral("[COMPANY_NAME]")},
        {QStringLiteral("addPerson_Title"), QStringLiteral("[TITLE]")},
        {QStringLiteral("addPerson_JobTitle"), QStringLiteral("[JOB_TITLE]")},
        {QStringLiteral("addPerson_Email"), QStringLiteral("[EMAIL]")},
        {QStringLiteral("addPerson_Phone"), QStringLiteral("[PHONE]")},
        {QStringLiteral("addPerson_Address_Street"), QStringLiteral("[STREET]")},
        {QStringLiteral("addPerson_Address_Country"), QStringLiteral("[COUNTRY]")},
        {QStringLiteral("addPerson_Address_City"), QStringLiteral("[CITY]")},
        {QStringLiteral("addPerson_Address_Zipcode"), QStringLiteral("[ZIPCODE]")},
        {QStringLiteral("addPerson_Address_State"), QStringLiteral("[STATE]")},
    };
    return commands;
}

void ObjectMakers::addPersonTagCommand(const QString &tag)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Personalization Tag"));
    addPersonalizationTag(tag, visibleCornerPlus(m_frame.context(), 100));
}

void ObjectMakers::addPersonalizationTag(const QString &tag, const QPointF &point)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Personalization Tag"));
    const int32_t n = gNewObjectSize;
    TextBoxSpec spec;
    spec.text = tag;
    spec.frame = QRectF(std::trunc(point.x()) + 55, std::trunc(point.y()) + 10, 10 * n, 3 * n);
    spec.groupNumber = InsertionFrame::findNextGroupNumber(m_frame.document());
    spec.fontSize = n;
    TextBoxFactory(m_frame).addTextBox(spec);
}

void ObjectMakers::addPerson_FullAddress()
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Personalization Tag"));
    const QPointF p = visibleCornerPlus(m_frame.context(), 10);
    const int32_t n = gNewObjectSize;
    TextBoxSpec spec;
    spec.text = fullAddressText();
    spec.frame = QRectF(p.x(), p.y(), 20 * n, 7 * n);
    spec.groupNumber = InsertionFrame::findNextGroupNumber(m_frame.document());
    spec.fontSize = n;
    TextBoxFactory(m_frame).addTextBox(spec);
}

void ObjectMakers::addFullAddress_drag(const QPointF &point)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Personalization Tag"));
    TextBoxSpec spec;
    spec.text = fullAddressText();
    spec.fontSize = std::trunc(gCanvasWidth / 500.0 * 18.0);
    spec.frame = QRectF(point.x(), point.y(), std::trunc(gCanvasWidth * 0.75), std::trunc(gCanvasMaxHeight * 0.6));
    TextBoxFactory(m_frame).addTextBox(spec);
}

QSizeF ObjectMakers::bundledPictureSize(int32_t side)
{
    const int32_t limit = gMaxInsertedImageSize != 0 ? gMaxInsertedImageSize : 600;
    if (limit < side)
        return {double(limit), std::trunc(side / (float(side) / float(limit)))};
    return {double(side), double(side)};
}

void ObjectMakers::addBundledPicture(const QString &resource, const QPointF &point, int32_t side, const QString &link,
                                     int32_t group)
{
    const QString path = Bundle::pathForResource(resource, QStringLiteral("png"));
    ImageInsertion in;
    in.picture = QImage(path);
    in.type = QStringLiteral("PNG");
    in.point = point;
    in.sourceFile = path;
    in.link = link;
    in.pixelSize = in.picture.size();
    in.groupNumber = group;
    in.displaySize = bundledPictureSize(side);
    in.frame = QRectF(point, in.displaySize);
    ImageFactory(m_frame).addImageIntoArray(in);
}

void ObjectMakers::addIndividual_drag(const QPointF &point)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Profile Card"));
    const double x = std::trunc(point.x());
    const double y = std::trunc(point.y());
    const int32_t group = InsertionFrame::findNextGroupNumber(m_frame.document());
    TextBoxFactory boxes(m_frame);
    TextBoxSpec background;
    background.text = QStringLiteral("");
    background.frame = QRectF(x, y, 300, 200);
    background.groupNumber = group;
    background.fillColour = QStringLiteral("FDF5E6");
    background.cornerRadius = 10;
    boxes.addTextBox(background);
    TextBoxSpec text;
    text.text = QStringLiteral("First Name Last Name\nBirth Date\nLocation\nProfile Details");
    text.frame = QRectF(x + 100, y, 200, 200);
    text.groupNumber = group;
    text.cornerRadius = 5;
    boxes.addTextBox(text);
    addBundledPicture(QStringLiteral("person_contacts"), QPointF(x, y), 100, QString(), group);
}

QString ObjectMakers::creditText(int variant)
{
    switch (variant) {
    case 2:
        return QStringLiteral("Made with Zov");
    case 3:
        return QStringLiteral("Powered by Zov");
    case 4:
        return QStringLiteral("Proudly web designed with Zov");
    default:
        return QStringLiteral("Made with HTML Zov Pro");
    }
}

void ObjectMakers::addZovLink_drag(const QPointF &point, int variant)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Badge"));
    const double x = std::trunc(point.x());
    const double y = std::trunc(point.y());
    const int32_t group = InsertionFrame::findNextGroupNumber(m_frame.document());
    // The build's product page; no link when it has none.
    const QString home = QStringLiteral(ZOV_PRODUCT_WEB_PAGE);
    TextBoxSpec text;
    text.text = creditText(variant);
    text.link = home;
    text.frame = QRectF(x + 55, y + 10, variant == 4 ? 220 : 200, 40);
    text.groupNumber = group;
    text.fontFamily = QStringLiteral("Actor");
    text.fontSize = 15;
    TextBoxFactory(m_frame).addTextBox(text);
    addBundledPicture(QStringLiteral("zov_pro_badge"), QPointF(x, y), 50, home, group);
}

void ObjectMakers::addZovLink(int variant)
{
    addZovLink_drag(m_frame.menuPoint(), variant);
}

std::shared_ptr<SKTGraphic> ObjectMakers::addGallery(const QPointF &point, bool enlargeable)
{
    const QSizeF size = enlargeable ? QSizeF(100, 150) : QSizeF(500, 200);
    QRectF rect(std::trunc(point.x()), std::trunc(point.y()), size.width(), size.height());
    if (gResponsiveEdition)
        rect = m_frame.grabSectionRect(point, QRectF(point, size));
    GraphicProperties p;
    p.setRect(QStringLiteral("bounds"), rect);
    p.setString(QStringLiteral("numOfColumns"), enlargeable ? QStringLiteral("1") : QStringLiteral("4"));
    p.setString(QStringLiteral("numOfRows"), QStringLiteral("1"));
    p.setString(QStringLiteral("padding"), QStringLiteral("5"));
    p.setString(QStringLiteral("shadowFlag"), enlargeable ? QStringLiteral("1") : QStringLiteral("0"));
    p.setList(QStringLiteral("imageArray"), {});
    p.setString(QStringLiteral("backdropLightingFlag"), enlargeable ? QStringLiteral("2") : QStringLiteral("1"));
    auto grid = InsertionFrame::makeGraphic(QStringLiteral("SKTGalleryGrid"), p);
    if (!grid)
        return {};
    if (gResponsiveEdition)
        m_frame.applySection(rect.topLeft(), *grid);
    m_frame.insertAtFront(grid);
    return grid;
}

void ObjectMakers::addImageGallery()
{
    addImageGallery_drag(m_frame.menuPoint());
}

std::shared_ptr<SKTGraphic> ObjectMakers::addImageGallery_drag(const QPointF &point)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Gallery"));
    return addGallery(point, false);
}

std::shared_ptr<SKTGraphic> ObjectMakers::addEnlargeablePhoto_drag(const QPointF &point)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Photo"));
    return addGallery(point, true);
}

bool ObjectMakers::addNewShape(int tag)
{
    if (tag < 0 || tag >= gPresetShapes.size())
        return false;
    const ShapeSelectionView &preset = gPresetShapes.at(tag);
    InsertionStep step(m_frame.document(), QStringLiteral("Add Shape"));
    const QPointF p = m_frame.menuPoint();
    GraphicProperties props;
    props.setRect(QStringLiteral("bounds"),
                  QRectF(p.x(), p.y(), 2 * preset.frame.width(), 2 * preset.frame.height()));
    props.setColour(QStringLiteral("fillColor"), preset.fillColor);
    props.setString(QStringLiteral("backgroundHexColorString"), DataCentreColours::asHexString(preset.fillColor));
    props.setFloatString(QStringLiteral("cornerRadius"), preset.cornerRadius);
    props.setString(QStringLiteral("fontColor"), QStringLiteral("4f4c4c"));
    props.setString(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    props.setIntString(QStringLiteral("fontSize"), gNewObjectSize);
    props.setString(QStringLiteral("fontAlignment"), QStringLiteral("0"));
    props.setString(QStringLiteral("borderStyle"), QStringLiteral("none"));
    props.setFloatString(QStringLiteral("opacity"), 1);
    props.setString(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    props.setString(QStringLiteral("link"), QStringLiteral(""));
    props.setString(QStringLiteral("textString"), QStringLiteral(" "));
    props.setString(QStringLiteral("textType"), QStringLiteral("Text"));
    m_frame.insertAtFront(InsertionFrame::makeGraphic(QStringLiteral("SKTText"), props));
    return true;
}

bool ObjectMakers::addNewSelectedTextView(int tag)
{
    if (tag < 0 || tag >= gPresetTextStyles.size())
        return false;
    const ShapeSelectionView &preset = gPresetTextStyles.at(tag);
    InsertionStep step(m_frame.document(), QStringLiteral("Add Text Box"));
    const QPointF p = m_frame.menuPoint();
    TextBoxSpec spec;
    spec.frame = QRectF(p.x(), p.y(), 1.5 * preset.frame.width(), 3 * preset.frame.height());
    spec.text = QStringLiteral("New text box");
    if (gDateStampNewText)
        spec.text = preset.textString + QStringLiteral(" - ") + InsertionDates::longDate(QDateTime::currentDateTime());
    const QString fill = DataCentreColours::asHexString(preset.fillColor);
    spec.fillColour = fill == QLatin1String("FFFFFF") ? QStringLiteral("CLEAR0") : fill;
    spec.textColour = DataCentreColours::asHexString(preset.textColor);
    spec.fontFamily = preset.font ? preset.font->family() : QStringLiteral("Helvetica Neue");
    spec.fontSize = gNewObjectSize;
    TextBoxFactory(m_frame).addTextBox(spec);
    return true;
}
