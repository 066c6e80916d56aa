#pragma once
// Hands the current page out of the program: its source file, picture folder and
// script files into a folder, its page folder as a campaign zip, and its picture as
// PDF, PNG or JPEG. Every output is built beside its target and moved into place only
// when it is whole; a failure names the path it concerns and leaves the old files.
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class SKTDocument;

class PageExport {
public:
    explicit PageExport(SKTDocument &document, QObject *window = nullptr);

    // The script and style files every folder export puts beside the page: jQuery
    // 2.2.2 and Bootstrap (as the generated page names them) and the picture enlarger.
    static QStringList pageScriptFileNames();
    // Where the shipped copy of one lies (the edition's template folder in the
    // resources, then the resources themselves); empty when it is missing.
    static QString pageScriptPath(const QString &fileName);
    // path with extension appended when it has none.
    static QString withDefaultExtension(const QString &path, const QString &extension);
    // The document's file name without extension, else its template name, else
    // "untitled".
    static QString createFileName(const SKTDocument &document);

    // Makes the page file current in the document's working folder.
    bool prepForPresentation(bool publish);

    // The menu commands: each asks for its place with a panel (the folder commands
    // need a saved document first) and tells the outcome in an alert.
    void exportFileTo();
    void exportZip();
    void exportPDFPage();
    void exportPNGPage();
    void exportJPEGPage();

    // The work after the panel. Each answers the failures, one line per path ("" when
    // all went well).
    // confirmReplace is asked when the page or its folder already exist in folder;
    // answering false writes nothing.
    QStringList exportFileToFolder(const QString &folder, const std::function<bool()> &confirmReplace);
    QStringList exportZipTo(const QString &path);
    enum class PictureType { PDF, PNG, JPEG };
    QStringList exportPictureTo(const QString &path, PictureType type);

    // The page picture, drawn by the renderer straight into an image.
    QImage generatePNG(bool transparent);
    // The rectangle generatePNG draws.
    QSize pictureSize() const;

private:
    bool documentSaved();
    void reportOutcome(const QString &title, const QStringList &failures, const QString &folderToShow);

    SKTDocument &document_;
    QObject *window_;
};
