// Any bytes, opened as a page package the way the user opens one: unpacked
// into the work folder, its page file found and read, its graphics built.
// Opening must answer true or false (with the "Not able to open" alert); it
// must never write outside the work folder, never leave a failed page with
// paths, and a failed page must refuse to be saved over.
#include "FuzzApplication.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "platform/Alerts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {
class QuietAlerts : public Alerts {
public:
    void show(const Alert &, QObject *, Completion completion) override
    {
        if (completion)
            completion(AlertReply{});
    }
};

int filesUnder(const QString &folder)
{
    int count = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzApplication::start(argc, argv);
    static QuietAlerts alerts;
    Alerts::setCurrent(&alerts);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir root;
    if (!root.isValid())
        std::abort();
    const QDir top(root.path());
    // The package lies in "outside", which must stay as it is; all the
    // opening writes goes below "work".
    QDir(top.filePath(QStringLiteral("work"))).removeRecursively();
    QDir().mkpath(top.filePath(QStringLiteral("work")));
    QDir().mkpath(top.filePath(QStringLiteral("outside")));
    const QString package = top.filePath(QStringLiteral("outside/page.zovweb"));
    {
        QFile file(package);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    EditionSettings::resetToInitialState();
    gDocumentExtension = QStringLiteral("zovweb");
    gWorkFolder = top.filePath(QStringLiteral("work"));
    gReceivedPagesFolder = QStringLiteral("Received");
    // The first byte of a zip is always "P": the second picks the edition.
    gResponsiveEdition = size > 1 && (data[1] & 1);

    SKTDocument doc;
    const bool opened = doc.readFromFile(package);
    if (filesUnder(top.filePath(QStringLiteral("outside"))) != 1)
        std::abort(); // something was written beside the package
    if (filesUnder(top.path()) - filesUnder(top.filePath(QStringLiteral("work"))) != 3)
        std::abort(); // "outside", its package and "work" only
    if (!opened) {
        if (!doc.pagePath.isEmpty() || !doc.tempSavePathLocal.isEmpty() || !doc.graphics().isEmpty())
            std::abort();
        if (doc.saveThisPage(package, false))
            std::abort();
    }
    return 0;
}
