#include "document/DocumentController.h"

#include "config/DataCentreFonts.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "platform/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

DocumentController &DocumentController::shared()
{
    static DocumentController controller;
    return controller;
}

void DocumentController::setWindowControllerFactory(WindowControllerFactory factory)
{
    factory_ = std::move(factory);
}

SKTDocument *DocumentController::documentForPackage(const QString &packagePath) const
{
    const QString wanted = QFileInfo(packagePath).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (const auto &doc : documents_)
        if (!doc->fileURLPath.isEmpty() && QFileInfo(doc->fileURLPath).canonicalFilePath() == wanted)
            return doc.get();
    return nullptr;
}

SKTDocument *DocumentController::adopt(std::unique_ptr<SKTDocument> document)
{
    SKTDocument *raw = document.get();
    documents_.push_back(std::move(document));
    if (factory_)
        factory_(*raw);
    return raw;
}

SKTDocument *DocumentController::openDocument(const QString &packagePath)
{
    if (SKTDocument *open = documentForPackage(packagePath))
        return open;
    // A page is measured and drawn in its web fonts from the start.
    DataCentreFonts::finishLoadingCustomFonts();
    auto doc = std::make_unique<SKTDocument>();
    if (!doc->readFromFile(packagePath))
        return nullptr;
    return adopt(std::move(doc));
}

SKTDocument *DocumentController::openUntitledDocument(const QString &templatePackage)
{
    DataCentreFonts::finishLoadingCustomFonts();
    const QString work = gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
    const QString folder = QDir(work).filePath(QStringLiteral("untitled"));
    QDir().mkpath(folder);
    const QString name = QStringLiteral("Untitled %1.%2").arg(++untitledCount_).arg(QFileInfo(templatePackage).suffix());
    const QString copy = QDir(folder).filePath(name);
    QFile::remove(copy);
    if (!QFile::copy(templatePackage, copy))
        return nullptr;
    auto doc = std::make_unique<SKTDocument>();
    const bool read = doc->readFromFile(copy);
    QFile::remove(copy);
    if (!read)
        return nullptr;
    doc->fileURLPath.clear();
    return adopt(std::move(doc));
}

void DocumentController::closeDocument(SKTDocument *document)
{
    for (auto it = documents_.begin(); it != documents_.end(); ++it) {
        if (it->get() == document) {
            documents_.erase(it);
            return;
        }
    }
}

QList<SKTDocument *> DocumentController::documents() const
{
    QList<SKTDocument *> list;
    for (const auto &doc : documents_)
        list.append(doc.get());
    return list;
}
