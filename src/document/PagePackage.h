#pragma once
// A page package: packing a page's folder, its page file and its screenshots
// into one archive, and unpacking an archive back into a folder.
#include <QString>

class PagePackage {
public:
    // Packs a page in the flat layout: the contents of folder (W/N) at the root of the
    // archive, then the page file beside the folder (N.php for a "trelkoforms"
    // package, else N.html), N.png and N@2x.png, each when it exists. True when the
    // archive was started, the folder added and the archive written.
    bool zipDocument(const QString &folder, const QString &packagePath);
    // Packs a page in the mirrored layout: names relative to the folder's parent (W),
    // so the archive holds N/… and then N.html and N.php (each when it exists), N.png
    // and N@2x.png.
    bool zipDocument_mailchimp(const QString &folder, const QString &packagePath);
    // Unpacks a package into targetFolder; true when it was unpacked whole.
    bool unzipDocument(const QString &packagePath, const QString &targetFolder);

    // What the last package operation did: "Zip Created!" or "Unzipped N files", or
    // the reason it failed.
    QString zipLog() const { return zipLog_; }

private:
    bool zip(const QString &folder, const QString &packagePath, bool mirrored);

    QString zipLog_;
};
