#pragma once
// The plain attributes of every graphic: type, name, setter suffix and the
// value a new graphic starts with. SKTGraphic expands this one table into its
// members, getters, setters (all through the single change path) and the
// by-key access that undo and the inspector use. bounds, drawingFill and
// drawingStroke are written by hand in SKTGraphic because subclasses override
// them. -99 means "no value" for section, spot, group, gallery, colour index
// and form option numbers.
#include <QColor>
#include <QDateTime>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>

#define ZOV_GRAPHIC_ATTRIBUTES(X) \
    /* geometry */ \
    X(float, rotationAngle, RotationAngle, 0.0f) \
    X(QRectF, lastNoOverlapRect, LastNoOverlapRect, QRectF()) \
    X(bool, movingAsPartOfSection, MovingAsPartOfSection, false) \
    X(int32_t, originX, OriginX, 0) \
    X(int32_t, originY, OriginY, 0) \
    X(int32_t, bottomEdgeY, BottomEdgeY, 0) \
    X(QPointF, beginPoint, BeginPoint, QPointF()) \
    X(QPointF, endPoint, EndPoint, QPointF()) \
    X(bool, drawBeginArrow, DrawBeginArrow, false) \
    X(bool, drawEndArrow, DrawEndArrow, false) \
    /* fill, stroke and shape */ \
    X(QColor, fillColor, FillColor, QColor(Qt::transparent)) \
    X(int32_t, fillColorIndex, FillColorIndex, -99) \
    X(QColor, strokeColor, StrokeColor, QColor()) \
    X(double, strokeWidth, StrokeWidth, 1.0) \
    X(QString, borderStyle, BorderStyle, QStringLiteral("none")) \
    X(int32_t, borderWidth, BorderWidth, 0) \
    X(QColor, borderColor, BorderColor, QColor()) \
    X(QString, borderHexColorString, BorderHexColorString, QString()) \
    X(double, cornerRadius, CornerRadius, 0.0) \
    X(double, opacity, Opacity, 1.0) \
    X(int32_t, shadowFlag, ShadowFlag, 0) \
    X(float, shadowRadius, ShadowRadius, 0.0f) \
    X(float, shadowHorizontalOffset, ShadowHorizontalOffset, 0.0f) \
    X(float, shadowVerticalOffset, ShadowVerticalOffset, 0.0f) \
    X(double, reflection, Reflection, 0.0) \
    X(int32_t, maskFlag, MaskFlag, 0) \
    X(int32_t, shapeFlag, ShapeFlag, 0) \
    X(QString, bubbleShape, BubbleShape, QString()) \
    /* text and fonts */ \
    X(QString, textType, TextType, QString()) \
    X(QString, fontFamily, FontFamily, QString()) \
    X(int32_t, fontSize, FontSize, 0) \
    X(QColor, fontColor, FontColor, QColor()) \
    X(int32_t, fontAlignment, FontAlignment, 0) \
    X(int32_t, verticalAlignment, VerticalAlignment, 0) \
    X(float, lineSpacing, LineSpacing, 0.0f) \
    X(int32_t, textHeight, TextHeight, 0) \
    X(bool, snippetFormatFlag, SnippetFormatFlag, false) \
    X(int32_t, indentFlag, IndentFlag, 0) \
    /* colours as hex strings */ \
    X(QString, backgroundHexColorString, BackgroundHexColorString, QString()) \
    X(QString, textHexColorString, TextHexColorString, QString()) \
    X(QString, hoverColorString, HoverColorString, QString()) \
    X(QString, hoverTextColorString, HoverTextColorString, QString()) \
    /* links and click actions */ \
    X(QString, link, Link, QString()) \
    X(QString, linkOption, LinkOption, QStringLiteral("_self")) \
    X(QString, linkType, LinkType, QStringLiteral("text")) \
    X(QString, onClickShowString, OnClickShowString, QString()) \
    X(QString, onClickHideString, OnClickHideString, QString()) \
    X(QString, altText, AltText, QString()) \
    /* web-form fields */ \
    X(QString, formType, FormType, QString()) \
    X(int32_t, formTag, FormTag, 0) \
    X(int32_t, formOptionTag, FormOptionTag, 0) \
    X(int32_t, formRequiredFlag, FormRequiredFlag, 0) \
    X(int32_t, markAsReplyToEmailFlag, MarkAsReplyToEmailFlag, 0) \
    /* sections, tables and the responsive grid */ \
    X(int32_t, sectionNumber, SectionNumber, 0) \
    X(int32_t, sectionRowSpot, SectionRowSpot, 0) \
    X(int32_t, sectionColumnSpot, SectionColumnSpot, 0) \
    X(QString, sectionIDString, SectionIDString, QString()) \
    X(int32_t, initialLaunchStateFlag, InitialLaunchStateFlag, 0) \
    X(int32_t, xsGridColumns, XsGridColumns, 0) \
    X(int32_t, smallGridColumns, SmallGridColumns, 0) \
    X(int32_t, mediumGridColumns, MediumGridColumns, 0) \
    X(int32_t, largeGridColumns, LargeGridColumns, 0) \
    X(int32_t, responsiveResizeFlag, ResponsiveResizeFlag, 0) \
    X(int32_t, responsiveAlignment, ResponsiveAlignment, 0) \
    X(bool, matchScreenFlag, MatchScreenFlag, false) \
    X(int32_t, fixedWidthFlag, FixedWidthFlag, 0) \
    X(int32_t, fixedHeightFlag, FixedHeightFlag, 0) \
    X(int32_t, sameHeightForAllRowsFlag, SameHeightForAllRowsFlag, 0) \
    X(int32_t, sameWidthForAllColumnsFlag, SameWidthForAllColumnsFlag, 0) \
    X(bool, selected, Selected, false) \
    /* padding and margin: amounts, units ("pixel" or "%") and named levels */ \
    X(int32_t, topPadding, TopPadding, 0) \
    X(int32_t, bottomPadding, BottomPadding, 0) \
    X(int32_t, leftPadding, LeftPadding, 0) \
    X(int32_t, rightPadding, RightPadding, 0) \
    X(int32_t, topMargin, TopMargin, 0) \
    X(int32_t, bottomMargin, BottomMargin, 0) \
    X(int32_t, leftMargin, LeftMargin, 0) \
    X(int32_t, rightMargin, RightMargin, 0) \
    X(QString, topPaddingType, TopPaddingType, QString()) \
    X(QString, bottomPaddingType, BottomPaddingType, QString()) \
    X(QString, leftPaddingType, LeftPaddingType, QString()) \
    X(QString, rightPaddingType, RightPaddingType, QString()) \
    X(QString, topMarginType, TopMarginType, QString()) \
    X(QString, bottomMarginType, BottomMarginType, QString()) \
    X(QString, leftMarginType, LeftMarginType, QString()) \
    X(QString, rightMarginType, RightMarginType, QString()) \
    X(QString, topPaddingLevelString, TopPaddingLevelString, QString()) \
    X(QString, bottomPaddingLevelString, BottomPaddingLevelString, QString()) \
    X(QString, leftPaddingLevelString, LeftPaddingLevelString, QString()) \
    X(QString, rightPaddingLevelString, RightPaddingLevelString, QString()) \
    X(QString, topMarginLevelString, TopMarginLevelString, QString()) \
    X(QString, bottomMarginLevelString, BottomMarginLevelString, QString()) \
    X(QString, leftMarginLevelString, LeftMarginLevelString, QString()) \
    X(QString, rightMarginLevelString, RightMarginLevelString, QString()) \
    /* layers, locks and grouping */ \
    X(int32_t, manualLayerIndex, ManualLayerIndex, 0) \
    X(int32_t, moveLock, MoveLock, 0) \
    X(int32_t, scrollFlag, ScrollFlag, 0) \
    X(int32_t, groupNumber, GroupNumber, 0) \
    X(bool, selectable, Selectable, false) \
    X(QString, templateName, TemplateName, QString()) \
    /* slideshows, galleries and images */ \
    X(int32_t, slideShowNumber, SlideShowNumber, 0) \
    X(int32_t, slideNumber, SlideNumber, 0) \
    X(int32_t, slideShowAutomaticFlag, SlideShowAutomaticFlag, 0) \
    X(int32_t, galleryNumber, GalleryNumber, 0) \
    X(int32_t, imageEnlargeFlag, ImageEnlargeFlag, 0) \
    X(int32_t, backdropLightingFlag, BackdropLightingFlag, 0) \
    X(QString, imageName, ImageName, QString()) \
    X(QString, imageType, ImageType, QString()) \
    X(QDateTime, imageLastModDate, ImageLastModDate, QDateTime()) \
    X(bool, retinaFlag, RetinaFlag, false)
