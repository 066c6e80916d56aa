// Opening a page: the package is unpacked once into a received-pages folder
// of the work folder (or found unpacked in the open project), the page file's
// flags, title and profile fields are read, the page reader rebuilds the
// element carriers and the graphics are inserted without undo. A package that
// cannot be unpacked or read ends in "Not able to open" with the reason; the
// document then keeps no paths of another page and refuses to save over the
// unread one.
#include "document/SKTDocument.h"
#include "document/PageEditingCopy.h"

#include "config/EditionSettings.h"
#include "config/DataCentreMarkers.h"
#include "config/DataCentreProfileFields.h"
#include "document/PageReadApply.h"
#include "document/PageReader.h"
#include "document/ReadError.h"
#include "document/SectionMembership.h"
#include "model/SKTGraphic.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "platform/PageZip.h"
#include "platform/SafeFileWrite.h"
#include "platform/WorkFolder.h"
#include "document/PagePackage.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>
#include <QSet>

namespace {
// Page files bigger than this are refused before they are read.
constexpr qint64 kMaxPageFileSize = qint64(64) * 1024 * 1024;

QString workFolder()
{
    if (!gWorkFolder.isEmpty())
        return gWorkFolder;
    return WorkFolder::shared().path();
}

QString freshTempFiles()
{
    const QString folder = QDir(workFolder()).filePath(QStringLiteral("tempFiles"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder;
}

// The first item at the folder's top level with one of the extensions.
QString firstItemWithExtension(const QString &folder, const QStringList &extensions)
{
    const QFileInfoList items =
        QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &item : items)
        if (extensions.contains(item.suffix()) && item.isFile() && !item.isSymLink())
            return item.fileName();
    return {};
}

// name, or name followed by 4, 5, ... while exists(candidate) says it is taken.
QString freeName(const QString &base, const std::function<bool(const QString &)> &taken)
{
    QString name = base;
    for (int n = 4; taken(name); ++n)
        name = base + QString::number(n);
    return name;
}

// Refuses a package whose entries name one file twice: which of the two a
// reader keeps is up to the unpacker, so such a package cannot be trusted.
bool checkEntries(const QString &package, QString *why)
{
    PageZip zip;
    if (!zip.OpenZip(package)) {
        *why = zip.LastErrorText();
        return false;
    }
    QSet<QString> seen;
    for (const QString &name : zip.entryNames()) {
        const QString key = QDir::cleanPath(name);
        if (seen.contains(key)) {
            *why = QStringLiteral("%1 was refused: it holds \"%2\" twice.").arg(QDir::toNativeSeparators(package), name);
            return false;
        }
        seen.insert(key);
    }
    return true;
}

class DocumentReadHost : public PageReaderHost {
public:
    explicit DocumentReadHost(SKTDocument &doc) : doc_(doc) {}
    void setConfirmedCanvasSize(int32_t, int32_t) override {}
    void adjustCanvasSizeType() override { PageReadApply::adjustCanvasSizeType(); }
    void setCurrentTemplateSelectionValue() override {}
    QObject *alertWindow() override { return doc_.windowHooks.window; }
    void takePageReadResult(const PageReadResult &r) override
    {
        doc_.documentChangedCounter = r.documentChangedCounter;
        doc_.usingBootStrapFlag = r.usingBootStrapFlag;
        doc_.customHeaderCode = r.customHeaderCode;
        if (r.baseTemplateCustomHeaderCode)
            doc_.baseTemplateCustomHeaderCode = *r.baseTemplateCustomHeaderCode;
        doc_.docSpecificFixedCanvasFlag = r.docSpecificFixedCanvasFlag ? 1 : 0;
        doc_.docSpecificPageWidth = r.docSpecificPageWidth;
        doc_.docSpecificPageHeight = r.docSpecificPageHeight;
        if (r.centreFlag)
            doc_.centreFlag = *r.centreFlag ? 1 : 0;
        if (r.webPageWidthManualFlag)
            doc_.webPageWidthManualFlag = *r.webPageWidthManualFlag;
        if (r.webPageWidth)
            doc_.webPageWidth = *r.webPageWidth;
        if (r.metaKeywords)
            doc_.metaKeywords = *r.metaKeywords;
        if (r.metaDescription)
            doc_.metaDescription = *r.metaDescription;
        if (!r.encodingType.isEmpty())
            doc_.encodingType = r.encodingType;
        doc_.documentColorHexString = r.pageColorHexString;
        if (r.pageColor)
            doc_.pageColor = *r.pageColor;
        doc_.backgroundImage = r.backgroundImage;
        doc_.backgroundImageFlag = r.backgroundImageLine ? 1 : 0;
        if (!r.backgroundImageType.isEmpty())
            doc_.backgroundImageType = r.backgroundImageType;
        if (r.labelTemplate) {
            doc_.labelTemplateHelper.brand = r.labelTemplate->brand;
            doc_.labelTemplateHelper.templateNumber = r.labelTemplate->templateNumber;
            doc_.labelTemplateHelper.templateDescription = r.labelTemplate->templateDescription;
        }
        if (r.formSettings) {
            const PageFormSettings &f = *r.formSettings;
            doc_.formRedirectURL = f.formRedirectURL;
            doc_.siteFeedbackEmail = f.siteFeedbackEmail;
            doc_.siteCCFeedbackEmail = f.siteCCFeedbackEmail;
            doc_.formSubmitButtonValue = f.formSubmitButtonValue;
            doc_.formEmailServer = f.formEmailServer;
            doc_.formEmailUsername = f.formEmailUsername;
            doc_.formEmailPassword = f.formEmailPassword;
            doc_.grabIPFlag = f.grabIPFlag;
            doc_.formOrderLayoutOption = f.formOrderLayoutOption;
            doc_.formSentResponse = f.formSentResponse;
            doc_.formRequiredResponse = f.formRequiredResponse;
            doc_.formEmailVerificationMsg = f.formEmailVerificationMsg;
            doc_.formBotCheckerResponse = f.formBotCheckerResponse;
        }
    }

private:
    SKTDocument &doc_;
};
std::function<void(SKTDocument &)> &pageReadHook()
{
    static std::function<void(SKTDocument &)> hook;
    return hook;
}
} // namespace

void SKTDocument::setPageReadHook(std::function<void(SKTDocument &)> hook)
{
    pageReadHook() = std::move(hook);
}

QString SKTDocument::receivedPagesFolderName(const QDateTime &time)
{
    return QLocale(QStringLiteral("en_US")).toString(time, QStringLiteral("mmddyyhhmmss"));
}

QList<std::shared_ptr<ElementCarrier>> SKTDocument::presentObjects(const QString &pageText, const QString &pageNameArg,
                                                                 const QString &projectFolder, const QString &templateName,
                                                                 const QString &pageFilePath)
{
    PageReadInput input = PageReadApply::inputFromEdition(pageText, pageNameArg, projectFolder, pageFilePath);
    input.writtenName = templateName;
    input.useBaseTemplateFlag = useBaseTemplateFlag == 1;
    input.inheritMetaKeywordsFlag = inheritMetaKeywordsFlag == 1;
    input.inheritMetaDescriptionFlag = inheritMetaDescriptionFlag == 1;
    input.formPage = input.formPage || pageFileType == QLatin1String("trelkoforms");
    input.baseTemplateCustomHeaderCode = baseTemplateCustomHeaderCode;
    PageReadResult result = PageReader::read(input);
    DocumentReadHost host(*this);
    return PageReadApply::applyPageReadResult(result, host, QFileInfo(pageFilePath).path() + QLatin1Char('/')
                                                                + QFileInfo(pageFilePath).completeBaseName());
}

bool SKTDocument::readFromFile(const QString &packagePath)
{
    fileURLPath = packagePath;
    return refreshDocument();
}

bool SKTDocument::refreshDocument()
{
    auto fail = [this](const QString &why) {
        qWarning() << "can not read main page, called from refreshDocument:" << why;
        // Nothing of the previous page may stay: a save now would write it
        // under this page's name.
        pageUnread = true;
        pagePath.clear();
        tempSavePathLocal.clear();
        lastSaveError = why;
        Alert alert;
        alert.messageText = QStringLiteral("Not able to open");
        alert.informativeText = QStringLiteral("This file can not be opened. %1").arg(why);
        alert.buttons = {QStringLiteral("Dismiss")};
        Alerts::current().show(alert, windowHooks.window, {});
        markClean();
        m_undoManager->removeAllActions();
        return false;
    };

    // Reading shares process-wide values with generation: main thread only.
    if (QCoreApplication::instance() && QThread::currentThread() != QCoreApplication::instance()->thread()) {
        lastSaveError = QStringLiteral("A page can only be read on the main thread.");
        return false;
    }
    NotificationCenter::defaultCenter().postNotification(QStringLiteral("updateCurrentButtonColor"), m_events.get());
    if (windowHooks.hideAllDocPanels)
        windowHooks.hideAllDocPanels();
    m_undoManager->disableUndoRegistration();
    clearAllGraphics();
    m_undoManager->enableUndoRegistration();

    const QFileInfo package(fileURLPath);
    const QString B = package.completeBaseName();
    const QString X = package.suffix();
    QString F = B;
    if (X == QLatin1String("trelkoforms")) {
        F = B + QStringLiteral(".php");
        pageFileType = QStringLiteral("trelkoforms");
        pageFileExtension = QStringLiteral("php");
    } else if (X == gDocumentExtension) {
        F = B + QStringLiteral(".html");
        pageFileType = gDocumentExtension;
        pageFileExtension = QStringLiteral("html");
    }
    if (!package.isFile())
        return fail(QStringLiteral("%1 is not a file.").arg(QDir::toNativeSeparators(fileURLPath)));
    QString refused;
    if (!checkEntries(fileURLPath, &refused))
        return fail(refused);

    if (windowHooks.openWebsiteFolderTempPath) {
        openWebsiteFolderTempPath = windowHooks.openWebsiteFolderTempPath();
    } else if (!gPendingWebsiteFolder.isEmpty()) {
        openWebsiteFolderTempPath = gPendingWebsiteFolder;
        gPendingWebsiteFolder.clear();
    }

    // The page file's name in the package: it tells a base template apart
    // even when the package was renamed.
    QString writtenName;
    if (!openWebsiteFolderTempPath.isEmpty() && gOpenFromWebsiteFolder) {
        pagePath = QDir(openWebsiteFolderTempPath).filePath(F);
        tempSavePathLocal = openWebsiteFolderTempPath;
        pageName = QFileInfo(F).completeBaseName();
        writtenName = pageName;
    } else {
        if (openWebsiteFolderTempPath.isEmpty())
            gOpenFromWebsiteFolder = false;
        // One unpack per opening, into a folder of its own.
        const QString T = receivedPagesFolderName(QDateTime::currentDateTime());
        const QString received = QDir(workFolder()).filePath(gReceivedPagesFolder.isEmpty()
                                                                  ? QStringLiteral("Received Pages")
                                                                  : gReceivedPagesFolder);
        // Two openings within one second would share the folder and the
        // second page would be renamed: each takes a folder nobody holds.
        QString R = QDir(received).filePath(T);
        for (int n = 2; QFileInfo::exists(R); ++n)
            R = QDir(received).filePath(T + QLatin1Char('-') + QString::number(n));
        PagePackage transport;
        if (gResponsiveEdition) {
            // Unpacked apart first, so a refused package leaves R alone.
            const QString U = QDir(freshTempFiles()).filePath(B.trimmed());
            if (!transport.unzipDocument(fileURLPath, U))
                return fail(transport.zipLog());
            const QString G = firstItemWithExtension(U, {QStringLiteral("html"), QStringLiteral("php")});
            if (G.isEmpty())
                return fail(QStringLiteral("The package holds no page file."));
            const QString name = QFileInfo(G).completeBaseName();
            const QString ext = QFileInfo(G).suffix();
            // Free only when none of the four names is taken: a page closed
            // earlier may have left its pictures or its folder behind.
            const QString N = freeName(name, [&](const QString &n) {
                for (const QString &taken : {n + QLatin1Char('.') + ext, n + QStringLiteral(".png"), n + QStringLiteral("@2x.png"), n})
                    if (QFileInfo::exists(QDir(R).filePath(taken)))
                        return true;
                return false;
            });
            if (!QDir().mkpath(R))
                return fail(QStringLiteral("%1: the folder could not be made.").arg(R));
            // Page file, screenshots and page folder move in under the free name.
            const QStringList moves[] = {{G, N + QLatin1Char('.') + ext},
                                         {name + QStringLiteral(".png"), N + QStringLiteral(".png")},
                                         {name + QStringLiteral("@2x.png"), N + QStringLiteral("@2x.png")},
                                         {name, N}};
            for (const QStringList &m : moves)
                if (QFileInfo::exists(QDir(U).filePath(m[0])) && !QDir().rename(QDir(U).filePath(m[0]), QDir(R).filePath(m[1])))
                    return fail(QStringLiteral("%1 could not be moved into %2.").arg(m[0], R));
            pageName = N;
            writtenName = name;
            pageFileExtension = ext;
            pagePath = QDir(R).filePath(N + QLatin1Char('.') + ext);
            tempSavePathLocal = R;
            F = N + QLatin1Char('.') + ext;
        } else {
            const QString Bp = QFileInfo(F).completeBaseName();
            const QString U = QDir(freshTempFiles()).filePath(Bp.trimmed());
            if (!transport.unzipDocument(fileURLPath, U))
                return fail(transport.zipLog());
            const QString G = firstItemWithExtension(U, {pageFileExtension});
            if (G.isEmpty())
                return fail(QStringLiteral("The package holds no page file."));
            if (!QFileInfo::exists(R)) {
                if (!QDir().mkpath(R) || !SafeFileWrite::write(QDir(R).filePath(QStringLiteral("site.zovs")), "Received Pages"))
                    return fail(QStringLiteral("%1: the folder could not be made.").arg(R));
            }
            const QString ext = pageFileExtension;
            const QString N = freeName(Bp, [&](const QString &n) {
                return QFileInfo::exists(QDir(R).filePath(n + QLatin1Char('/') + n + QLatin1Char('.') + ext));
            });
            const QString RN = QDir(R).filePath(N);
            QDir().mkpath(RN);
            const QString Q = QFileInfo(G).completeBaseName();
            if (!QDir().rename(QDir(U).filePath(G), QDir(RN).filePath(N + QLatin1Char('.') + ext)))
                return fail(QStringLiteral("%1 could not be moved into %2.").arg(G, RN));
            for (const QString &shot : {Q + QStringLiteral(".png"), Q + QStringLiteral("@2x.png")})
                if (QFileInfo::exists(QDir(U).filePath(shot)))
                    QDir().rename(QDir(U).filePath(shot), QDir(RN).filePath(shot));
            if (!QDir().rename(U, QDir(RN).filePath(N)))
                return fail(QStringLiteral("%1 could not be moved into %2.").arg(U, RN));
            pageName = N;
            writtenName = Q;
            pagePath = QDir(RN).filePath(N + QLatin1Char('.') + ext);
            tempSavePathLocal = RN;
            F = Bp + QLatin1Char('.') + ext;
        }
    }

    const QFileInfo pageFile(pagePath);
    if (!pageFile.isFile())
        return fail(QStringLiteral("The package holds no page file."));
    if (pageFile.size() > kMaxPageFileSize)
        return fail(QStringLiteral("The page file is larger than 64 MiB."));

    const bool isBase = F == QLatin1String("basetemplate.html");
    inheritCustomHeaderCodeFlag = isBase ? 0 : DataCentreMarkers::grabInheritCustomHeadercodeFlag(pagePath);
    inheritMetadataFlag = isBase ? 0 : DataCentreMarkers::grabInheritMetadataFlag(pagePath);
    useBaseTemplateFlag = isBase ? 0 : DataCentreMarkers::grabBaseTemplateStatusFlag(pagePath);
    gCanvasRotation = DataCentreMarkers::grabRotateCanvas90Flag(pagePath) ? 90 : 0;
    publishExt = DataCentreMarkers::grabPublishExt(pagePath);
    inheritMetaDescriptionFlag = inheritMetadataFlag == 1 ? 1 : 0;
    inheritMetaKeywordsFlag = inheritMetadataFlag == 1 ? 1 : 0;
    if (!isBase && useBaseTemplateFlag == 1)
        applyAutoBaseTemplate();

    const ProfileRecordRead record = DataCentreProfileFields::openRecordPage(pagePath, gProfileFieldKeys);
    pageOfficialName = record.pageTitle;
    profileDictionary.clear();
    for (const auto &field : record.profileDictionary)
        profileDictionary.insert(field.first, field.second);
    // Blocks of fields this edition does not know (another edition wrote
    // them) go back into the page at the next save instead of vanishing.
    extraProfileFields.clear();
    for (const ProfileBlock &block : record.otherBlocks)
        extraProfileFields.append({DataCentreProfileFields::decodeProfileText(block.label),
                                   DataCentreProfileFields::decodeProfileText(block.rawValue)});
    bool readable = false;
    const QString text = PageEditingCopy::editingPage(readPageText(pagePath, &readable));
    if (!readable)
        return fail(QStringLiteral("%1 could not be read.").arg(QDir::toNativeSeparators(pagePath)));

    QList<std::shared_ptr<SKTGraphic>> graphics;
    try {
        const auto carriers = presentObjects(text, pageName, openWebsiteFolderTempPath, writtenName, pagePath);
        graphics = SKTGraphic::graphicsWithProperties(carriers, F);
        // Checked with the base template's graphics already on the page:
        // its sections hold graphics of the page too.
        SectionMembership::settle(m_graphics + graphics);
    } catch (const std::exception &e) {
        return fail(QString::fromUtf8(e.what()));
    }

    m_undoManager->disableUndoRegistration();
    QList<qsizetype> indexes;
    for (qsizetype i = 0; i < graphics.size(); ++i)
        indexes.append(i);
    insertGraphics(graphics, indexes);
    noteFilesOfPicturesAsRead();
    if (pageReadHook())
        pageReadHook()(*this);
    announceCanvasSizeChange();
    m_undoManager->enableUndoRegistration();

    pageUnread = false;
    lastSaveError.clear();
    updateWindowTitle();
    if (windowHooks.refreshPageBackgroundColor)
        windowHooks.refreshPageBackgroundColor();
    m_undoManager->removeAllActions();
    markClean();
    if (gPatientProfileMode || (gNoDraftPages && !gProfileFieldKeys.isEmpty()))
        NotificationCenter::defaultCenter().postNotification(
            pageName != QLatin1String("basetemplate") ? QStringLiteral("displayProfilePopover")
                                                       : QStringLiteral("hideProfilePopover"),
            m_events.get());
    if (gCanvasDragOption)
        NotificationCenter::defaultCenter().postNotification(QStringLiteral("refreshInspectorPanel"), m_events.get());
    return true;
}

void SKTDocument::applyAutoBaseTemplate()
{
    const QString T = QDir(openWebsiteFolderTempPath).filePath(QStringLiteral("basetemplate.html"));
    if (openWebsiteFolderTempPath.isEmpty() || !QFileInfo(T).isFile())
        return;
    bool readable = false;
    QString text = PageEditingCopy::editingPage(readPageText(T, &readable));
    if (!readable)
        return;
    if (gReplacePageNumbers)
        text = replacePageNumbers(text);
    baseTemplateCustomHeaderCode.clear();
    try {
        const auto carriers = presentObjects(text, QStringLiteral("basetemplate"), openWebsiteFolderTempPath,
                                             QStringLiteral("basetemplate"), T);
        const auto graphics = SKTGraphic::graphicsWithProperties(carriers, QStringLiteral("basetemplate"));
        SectionMembership::settle(graphics);
        m_undoManager->disableUndoRegistration();
        clearAllGraphics();
        QList<qsizetype> indexes;
        for (qsizetype i = 0; i < graphics.size(); ++i)
            indexes.append(i);
        insertGraphics(graphics, indexes);
        m_undoManager->enableUndoRegistration();
        if (windowHooks.refreshPageBackgroundColor)
            windowHooks.refreshPageBackgroundColor();
    } catch (const std::exception &) {
        // The page opens with its own objects only.
    }
}

QString SKTDocument::migrateWebsitePage(const QString &packagePath, const QString &unpackFolder)
{
    const QFileInfo package(packagePath);
    const QString S = QFileInfo(QDir::cleanPath(unpackFolder)).path();
    const QString B = package.completeBaseName();
    PagePackage transport;
    // Unpacked apart, never over a page of the project.
    const QString apart = QDir(unpackFolder).filePath(QStringLiteral(".migrating"));
    QDir(apart).removeRecursively();
    if (!transport.unzipDocument(packagePath, apart)) {
        QDir(apart).removeRecursively();
        return {};
    }
    auto cleanup = qScopeGuard([&] { QDir(apart).removeRecursively(); });
    QString E;
    if (package.suffix() == QLatin1String("trelkoforms"))
        E = QStringLiteral("php");
    else if (package.suffix() == gDocumentExtension)
        E = QStringLiteral("html");
    const QStringList extensions = gResponsiveEdition ? QStringList{QStringLiteral("html"), QStringLiteral("php")}
                                                      : QStringList{E};
    const QString G = firstItemWithExtension(apart, extensions);
    if (G.isEmpty())
        return {};
    const QString ext = QFileInfo(G).suffix();
    const QString Q = QFileInfo(G).completeBaseName();
    // The unpack folder is the caller's scratch that becomes the page folder:
    // it does not take the name it is meant to receive.
    const QString unpackPath = QFileInfo(unpackFolder).absoluteFilePath();
    const auto isUnpackFolder = [&](const QString &n) {
        return QFileInfo(QDir(S).filePath(n)).absoluteFilePath() == unpackPath;
    };
    const QString N = freeName(B, [&](const QString &n) {
        return QFileInfo::exists(QDir(S).filePath(n + QLatin1Char('.') + ext))
               || (QFileInfo::exists(QDir(S).filePath(n)) && !isUnpackFolder(n));
    });
    if (!QDir().rename(QDir(apart).filePath(G), QDir(S).filePath(N + QLatin1Char('.') + ext)))
        return {};
    for (const QString &suffix : {QStringLiteral(".png"), QStringLiteral("@2x.png")})
        if (QFileInfo::exists(QDir(apart).filePath(Q + suffix)))
            QDir().rename(QDir(apart).filePath(Q + suffix), QDir(S).filePath(N + suffix));
    // Flat packages keep the page folder's contents at the top; mirrored ones
    // keep it as the folder Q.
    QString folder = gResponsiveEdition && QFileInfo(QDir(apart).filePath(Q)).isDir() ? QDir(apart).filePath(Q) : apart;
    if (isUnpackFolder(N)) {
        // The page folder takes the unpack folder's place: step out of it first.
        const QString aside = QDir(S).filePath(QStringLiteral(".migrating-") + N);
        QDir(aside).removeRecursively();
        if (!QDir().rename(folder, aside))
            return {};
        folder = aside;
        if (!QDir(unpackFolder).removeRecursively()) {
            QDir(aside).removeRecursively();
            return {};
        }
    }
    if (!QDir().rename(folder, QDir(S).filePath(N))) {
        QDir(folder).removeRecursively();
        return {};
    }
    // What is left of the unpack folder was only the scratch of this move.
    if (!isUnpackFolder(N)) {
        QDir(apart).removeRecursively();
        QDir().rmdir(unpackFolder);
    }
    const QString retina = QDir(S).filePath(N + QStringLiteral("@2x.png"));
    return QFileInfo::exists(retina) ? retina : QDir(S).filePath(N + QStringLiteral(".png"));
}
