#pragma once
// Class-level operations of DataCentre: see config/DataCentre.h. Declared
// here for the facade; defined in document/DataCentreMarkers.cpp, since they
// work on page files. The page marker comments: reading them from a page file
// or text, and the editors that rewrite one marker of a page file in place.
//
// Files are read and written by the page text rule (ASCII when the whole text
// fits, else UTF-16 with a byte-order mark). An editor writes atomically and
// answers false, leaving the file alone, when the file cannot be read or
// written. CR LF counts as one line break.
#include <QString>
#include <QStringList>

class DataCentreMarkers {
public:
    // The page file's text; a null string when it cannot be read.
    static QString readPageFile(const QString &path);
    // Writes the text by the page text rule, atomically.
    static bool writePageFile(const QString &path, const QString &text);
    // Splits at every line break, CR LF being one.
    static QStringList splitPageLines(const QString &text);

    static QString grabSourceCode(const QString &path);
    static QString grabEncodingType(const QString &path);
    static QString grabMetaKeywords(const QString &path);
    static QString grabMetaDescription(const QString &path);
    static QString grabCustomHeaderCode(const QString &path);
    static QString grabPublishExt(const QString &path);
    static bool isBootStrapBeingUsed(const QString &path);
    static bool grabBaseTemplateStatusFlag(const QString &path);
    static bool grabInheritMetadataFlag(const QString &path);
    static bool grabInheritCustomHeadercodeFlag(const QString &path);
    static bool grabDuplicateBaseTemplateStatusFlag(const QString &path);
    static bool grabRotateCanvas90Flag(const QString &path);
    static bool grabCenterFlag(const QString &text);
    static bool grabManualPageWidthFlag(const QString &text);
    // The text between the first start and the first end after it; "" when
    // either is missing.
    static QString grabMiddleString(const QString &start, const QString &end, const QString &text);
    // The same readers on a text already in memory.
    static QString customHeaderCodeOfText(const QString &text);
    static QString metaContentOfText(const QString &text, const QString &prefix, int dropAtEnd);

    static bool applyPageTitle(const QString &path, const QString &title);
    static bool applyPublishingExt(const QString &path, const QString &extension);
    static bool applyBaseTemplate(const QString &path, int flag);
    static bool applyInheritMetadata(const QString &path, int flag);
    static bool applyInheritCustomHeaderCode(const QString &path, int flag);
    static bool applyDuplicateBaseTemplateFlag(const QString &path, int flag);
    static bool appendStringToFile(const QString &path, const QString &text);

    // The marker texts.
    static const QString kUseBaseTemplate;
    static const QString kInheritMetadata;
    static const QString kInheritCustomHeader;
    static const QString kBaseTemplateDuplicated;
    static const QString kRotateCanvas90;
};
