#include "generation/PageFiles.h"
#include "platform/SafeFileWrite.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

bool writeFileAtomically(const QString &path, const QByteArray &data, QString *error)
{
    // A part file beside the target, synced and renamed over it: a crash
    // leaves the old file or the new one, and no temporary files pile up.
    QString why;
    if (SafeFileWrite::write(path, data, &why))
        return true;
    if (error) {
        const QString native = QDir::toNativeSeparators(path);
        *error = QStringLiteral("Could not write \"%1\": %2").arg(native, why.mid(native.size() + 2));
    }
    return false;
}

bool writeStyleSheet(const SKTDocument &doc, const QString &pageName, const QString &text, QString *error)
{
    if (doc.tempSavePathLocal.isEmpty() || !Escape::isSafeFolderName(pageName)) {
        if (error)
            *error = QStringLiteral("The style sheet could not be written: the page has no folder.");
        return false;
    }
    const QString folder = QDir(doc.tempSavePathLocal).filePath(pageName);
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Could not create the folder \"%1\".").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    const QString name = doc.mobileVersionFlag ? QStringLiteral("mobile.css") : QStringLiteral("full.css");
    return writeFileAtomically(QDir(folder).filePath(name), TextCodec::encodePageText(text), error);
}

void cleanPageFolder(const SKTDocument &doc, const QString &pageName)
{
    // Never the folder itself or a folder above it.
    if (doc.openWebsiteFolderTempPath.isEmpty() || !Escape::isSafeFolderName(pageName))
        return;
    const QDir folder(QDir(doc.openWebsiteFolderTempPath).filePath(pageName));
    if (!folder.exists())
        return;
    // The files in use, gathered once (the same answers as isImageInUse, without
    // walking every image for every file of a large folder).
    QSet<QString> used;     // base name + "." + extension
    QSet<QString> usedMask; // base name, any extension
    for (const ImageElement &image : doc.imageViewArray) {
        const QString name = image.imageName();
        if (name.isEmpty())
            continue;
        if (image.templateName() == doc.pageName) {
            const QString ext = QLatin1Char('.') + image.imageType();
            used << name + ext << name + QLatin1String("@2x") + ext << name + QLatin1Char('o') + ext;
        }
        if (image.hasMask())
            usedMask << name + QLatin1String("_mask");
    }
    const bool backgroundInUse = doc.backgroundImageFlag > 0
                                 && (doc.pageName == QLatin1String("basetemplate") || doc.useBaseTemplateFlag == 0);
    static const QRegularExpression pageImageName(
        QStringLiteral("^(image[0-9]+(@2x|o|_mask)?|background(@2x|o)?)$"));
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() || entry.fileName() == QLatin1String("full.css"))
            continue;
        const QString base = entry.completeBaseName();
        if (!pageImageName.match(base).hasMatch())
            continue;
        const bool isBackground = base.startsWith(QLatin1String("background"));
        const bool inUse = used.contains(base + QLatin1Char('.') + entry.suffix()) || usedMask.contains(base)
                           || (isBackground && backgroundInUse);
        if (!inUse)
            QFile::remove(entry.filePath());
    }
}
