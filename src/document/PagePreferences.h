#pragma once
// What the "Page Preferences" and form "Preferences" panels show and take
// back, without widgets: fill from the document and the user defaults, clean
// the typed values, save into the document. The panels in document/ui only
// show these values.
#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>

class SKTDocument;

struct PagePreferencesValues {
    QString fileName;
    bool fileNameEditable = false;
    QString publishExt;
    QString pageFileExtension;
    QString pageTitle;
    QString customHeaderCode;
    QString baseTemplateHeaderCode;
    QString metaDescription;
    QString metaKeywords;
    bool metaFieldsEditable = true;
    QString widthText;
    int qualitySegment = 0;     // 1.0, 0.75, 0.5
    int encodingSegment = -1;   // "UTF-8", "UTF-16", "Win-1251"; -1 none
    int imageTypeSegment = 0;   // "PNG", "JPEG"
    bool retina = true;
    bool centre = false;
    bool manualWidth = false;
    int maxSizeSegment = 3;     // 500, 1000, 1500, 2000, 5000
    bool useBaseTemplate = false;
    bool inheritCustomHeader = false;
    bool inheritMetadata = false;
    bool isBaseTemplate = false;
    // The site's base template page, when it has one, and its metadata.
    bool baseTemplateExists = false;
    QString baseMetaDescription;
    QString baseMetaKeywords;
    QImage background;
};

struct FormPreferencesValues {
    QString responseEmail, copyEmail, mailServer, mailUser, mailPassword;
    QString sentResponse, missingFieldResponse, submitButtonText, redirectURL, verificationMessage, botCheckMessage;
    bool grabIP = false;
    int layoutColumn = 0;
};

class PagePreferences {
public:
    PagePreferences() = delete;

    static PagePreferencesValues fill(SKTDocument &doc);
    // Keeps only the digits of the width; makes the file name a safe one.
    static void runValueVerifications(PagePreferencesValues &values);
    // Takes the panel back into the document and saves the page. Alerts go
    // through Alerts; answers whether the page was saved. A changed publish
    // extension is asked about after that (askToChangePublishExtension).
    // A publish extension other than the page's own must be 1 to 10 letters and
    // digits; otherwise nothing is saved, an alert says why and save answers false.
    static bool save(SKTDocument &doc, PagePreferencesValues values);
    // Asks whether the page really takes another publish extension; on
    // "Change it", whenever that answer comes, the page takes it and is saved.
    static void askToChangePublishExtension(SKTDocument &doc, const QString &publishExt);
    static bool isValidPublishExtension(const QString &extension);
    // Renames the page's package and files: the new package is saved and
    // checked before the old one is removed. False on a clash ("File
    // Conflict") or when the new package could not be written.
    static bool renameFileName(SKTDocument &doc, const QString &newName);

    static FormPreferencesValues fillForm(const SKTDocument &doc);
    static void saveForm(SKTDocument &doc, const FormPreferencesValues &values);

    // A chosen background picture (file path); false when it cannot be read.
    static bool newBackground(SKTDocument &doc, const QString &imagePath);
    static void removeBackground(SKTDocument &doc);

    static void showFileNameHelp(SKTDocument &doc);
    static void showImageMaxSizeHelp(SKTDocument &doc);

    static const int kMaxSizes[5];
};
